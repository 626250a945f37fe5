#include "shapes/shapes.h"

#include <cstddef>

#include "controls/builtin_control.h"
#include "controls/control_accessors.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "panes/control_panes.h"
#include "panes/pane_entry_points.h"
#include "shapes/shape_panes.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

// The pane accessors' packed selector: the control's field, and the pane's
// copy of it for either display layout (the shapes' panes have one layout).
constexpr std::uint32_t both(std::size_t in_control, std::size_t in_pane) {
    return static_cast<std::uint32_t>(in_control | in_pane << 10 | in_pane << 20);
}

// The panes are classes with virtual operations; their field offsets are
// still fixed, which is what the pane accessors rely on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define SHAPE(Object, Pane, object_field, pane_field) both(offsetof(Object, object_field), offsetof(Pane, pane_field))

const PropertyRow kRectangleRows[] = {
    {0, "FillColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(RectangleObject, RectanglePane, fill, fill)},
    {0, "BorderWidth", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(RectangleObject, RectanglePane, border_width, border_width)},
    {0, "TopLeftColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(RectangleObject, RectanglePane, top_left, top_left)},
    {0, "BottomRightColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(RectangleObject, RectanglePane, bottom_right, bottom_right)},
};

const PropertyRow kRoundRectangleRows[] = {
    {0, "FillColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(RoundRectangleObject, RoundRectanglePane, fill, fill)},
    {0, "BorderWidth", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(RoundRectangleObject, RoundRectanglePane, border_width, border_width)},
    {0, "BorderColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(RoundRectangleObject, RoundRectanglePane, border_colour, border_colour)},
    {0, "OvalWidth", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(RoundRectangleObject, RoundRectanglePane, oval_width, oval_width)},
    {0, "OvalHeight", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(RoundRectangleObject, RoundRectanglePane, oval_height, oval_height)},
};

const PropertyRow kOvalRows[] = {
    {0, "FillColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(OvalObject, OvalPane, fill, fill)},
    {0, "BorderWidth", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(OvalObject, OvalPane, border_width, border_width)},
    {0, "BorderColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(OvalObject, OvalPane, border_colour, border_colour)},
};

#define LINE_FIELD(member) static_cast<std::uint32_t>(offsetof(LineObject, member))

const PropertyRow kLineRows[] = {
    {0, "Visible", &kBooleanType, kValue, as_getter(controlVisibleGetter), as_setter(ControlVisibleSetter), 0},
    {0, "X1", &kIntegerType, kValue, field32_getter, as_setter(linePosSetter), LINE_FIELD(x1)},
    {0, "X2", &kIntegerType, kValue, field32_getter, as_setter(linePosSetter), LINE_FIELD(x2)},
    {0, "Y1", &kIntegerType, kValue, field32_getter, as_setter(linePosSetter), LINE_FIELD(y1)},
    {0, "Y2", &kIntegerType, kValue, field32_getter, as_setter(linePosSetter), LINE_FIELD(y2)},
    {0, "BorderWidth", &kIntegerType, kValue, as_getter(paneShortGetter), as_setter(paneShortSetter),
     SHAPE(LineObject, LinePane, border_width, border_width)},
    {0, "LineColor", &kColorType, kValue, as_getter(paneIntGetter), as_setter(paneIntSetter),
     SHAPE(LineObject, LinePane, colour, colour)},
};

// Compiled code passes these selectors as constants (see the prelude).
static_assert(SHAPE(RectangleObject, RectanglePane, fill, fill) == 0x380E058, "Rectangle FillColor");
static_assert(SHAPE(RectangleObject, RectanglePane, border_width, border_width) == 0x4411064, "Rectangle BorderWidth");
static_assert(SHAPE(RectangleObject, RectanglePane, top_left, top_left) == 0x3C0F05C, "Rectangle TopLeftColor");
static_assert(SHAPE(RectangleObject, RectanglePane, bottom_right, bottom_right) == 0x4010060, "BottomRightColor");
static_assert(SHAPE(RoundRectangleObject, RoundRectanglePane, fill, fill) == 0x380E058, "RoundRectangle FillColor");
static_assert(SHAPE(RoundRectangleObject, RoundRectanglePane, border_width, border_width) == 0x4010060,
              "RoundRectangle BorderWidth");
static_assert(SHAPE(RoundRectangleObject, RoundRectanglePane, border_colour, border_colour) == 0x3C0F05C,
              "RoundRectangle BorderColor");
static_assert(SHAPE(RoundRectangleObject, RoundRectanglePane, oval_width, oval_width) == 0x4210862, "OvalWidth");
static_assert(SHAPE(RoundRectangleObject, RoundRectanglePane, oval_height, oval_height) == 0x4411064, "OvalHeight");
static_assert(SHAPE(OvalObject, OvalPane, fill, fill) == 0x380E058, "Oval FillColor");
static_assert(SHAPE(OvalObject, OvalPane, border_width, border_width) == 0x4010060, "Oval BorderWidth");
static_assert(SHAPE(OvalObject, OvalPane, border_colour, border_colour) == 0x3C0F05C, "Oval BorderColor");
static_assert(SHAPE(LineObject, LinePane, border_width, border_width) == 0x4C13068, "Line BorderWidth");
static_assert(SHAPE(LineObject, LinePane, colour, colour) == 0x481206C, "Line LineColor");

#undef SHAPE
#undef LINE_FIELD
#pragma GCC diagnostic pop

// Each shape's pane is made from the stored values and put where the
// control is.
template <typename PaneKind, typename Object, typename Copy>
void make_pane(RuntimeObject* object, Copy copy) {
    auto* shape = reinterpret_cast<Object*>(object);
    auto* pane = new PaneKind(&shape->control);
    const PaneCreation how = {shape->control.rect, nullptr, nullptr, nullptr, 0, 0};
    if (!pane->create(how)) {
        delete pane;
        return;
    }
    copy(*shape, *pane);
    shape->control.pane = pane;
}

void create_rectangle_pane(RuntimeObject* object) {
    make_pane<RectanglePane, RectangleObject>(object, [](const RectangleObject& s, RectanglePane& p) {
        p.fill = s.fill;
        p.top_left = s.top_left;
        p.bottom_right = s.bottom_right;
        p.border_width = s.border_width;
    });
}

void create_round_rectangle_pane(RuntimeObject* object) {
    make_pane<RoundRectanglePane, RoundRectangleObject>(object,
                                                        [](const RoundRectangleObject& s, RoundRectanglePane& p) {
                                                            p.fill = s.fill;
                                                            p.border_colour = s.border_colour;
                                                            p.border_width = s.border_width;
                                                            p.oval_width = s.oval_width;
                                                            p.oval_height = s.oval_height;
                                                        });
}

void create_oval_pane(RuntimeObject* object) {
    make_pane<OvalPane, OvalObject>(object, [](const OvalObject& s, OvalPane& p) {
        p.fill = s.fill;
        p.border_colour = s.border_colour;
        p.border_width = s.border_width;
    });
}

// With w the width and h its half rounded toward zero, the bounds reach h
// before the smaller and w - h past the larger end point. A negative width
// draws as wide as its magnitude, and is measured so.
ShortRect line_bounds(const LineObject& line) {
    const int w = line.border_width < 0 ? -line.border_width : line.border_width, h = w / 2;
    auto low = [](std::int32_t a, std::int32_t b) { return a < b ? a : b; };
    auto high = [](std::int32_t a, std::int32_t b) { return a > b ? a : b; };
    ShortRect r = {};
    r.left = static_cast<std::int16_t>(low(line.x1, line.x2) - h);
    r.right = static_cast<std::int16_t>(high(line.x1, line.x2) + (w - h));
    r.top = static_cast<std::int16_t>(low(line.y1, line.y2) - h);
    r.bottom = static_cast<std::int16_t>(high(line.y1, line.y2) + (w - h));
    return r;
}

void copy_end_points(const LineObject& line, LinePane& pane) {
    pane.x1 = line.x1;
    pane.y1 = line.y1;
    pane.x2 = line.x2;
    pane.y2 = line.y2;
}

// The description sets the end points before the width: the bounds are
// taken afresh from all of them.
void create_line_pane(RuntimeObject* object) {
    auto* line = reinterpret_cast<LineObject*>(object);
    line->control.rect = line_bounds(*line);
    make_pane<LinePane, LineObject>(object, [](const LineObject& s, LinePane& p) {
        copy_end_points(s, p);
        p.colour = s.colour;
        p.border_width = s.border_width;
    });
}

}  // namespace

void shapes_describe() {
    property_table_install(B::Rectangle, kRectangleRows);
    property_table_install(B::RoundRectangle, kRoundRectangleRows);
    property_table_install(B::Oval, kOvalRows);
    property_table_install(B::Line, kLineRows);
    control_class_create_pane(B::Rectangle, create_rectangle_pane);
    control_class_create_pane(B::RoundRectangle, create_round_rectangle_pane);
    control_class_create_pane(B::Oval, create_oval_pane);
    control_class_create_pane(B::Line, create_line_pane);
}

extern "C" void linePosSetter(RuntimeObject* object, std::uint32_t field, std::int32_t value) {
    if (!object) return;
    auto* line = reinterpret_cast<LineObject*>(object);
    std::int32_t* end = nullptr;
    if (field == offsetof(LineObject, x1)) end = &line->x1;
    else if (field == offsetof(LineObject, x2)) end = &line->x2;
    else if (field == offsetof(LineObject, y1)) end = &line->y1;
    else if (field == offsetof(LineObject, y2)) end = &line->y2;
    if (!end) return;
    *end = value;
    line->control.rect = line_bounds(*line);
    if (auto* pane = static_cast<LinePane*>(control_pane(&line->control))) {
        copy_end_points(*line, *pane);
        pane->set_rect(line->control.rect, true);
    }
}
