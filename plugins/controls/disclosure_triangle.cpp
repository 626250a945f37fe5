// DisclosureTriangle: a triangle pointing sideways while closed and down
// while open; a click flips it and runs Action, assigning Value only redraws.
#include <cstddef>

#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

struct TriangleData {
    std::uint8_t value;  // open
    std::uint8_t unused[3];
    std::int32_t facing;  // 0 closed pointing right, 1 closed pointing left
    std::uint8_t reserved[8];
};
static_assert(sizeof(TriangleData) == 16, "the DisclosureTriangle's data area");

const char* const kFacings[] = {"Right", "Left"};
const TAVOPropertyDefinition kProperties[] = {
    {"Initial State", "Value", "Boolean", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(TriangleData, value)},
    {"Appearance", "Facing", "Integer", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(TriangleData, facing), 0,
     2, kFacings},
};
TAVOEventDefinition g_events[] = {{"Action", nullptr}};
extern TAVOControlDefinition g_definition;

TriangleData& data(void* control) { return data_of<TriangleData>(control, g_definition); }

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const TriangleData& d = data(control);
    const RECT b = control_bounds(control);
    const COLORREF colour = GetSysColor(control_enabled(control) ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
    if (d.value) draw_arrow(dc, centred(b, 10, 5), kFacingDown, colour);
    else draw_arrow(dc, centred(b, 5, 10), d.facing == 1 ? kFacingLeft : kFacingRight, colour);
}

std::uint8_t mouse_down(void* control, std::int32_t x, std::int32_t y, std::int32_t) {
    if (!contains(control_bounds(control), x, y)) return 0;
    TriangleData& d = data(control);
    d.value = !d.value;
    services().invalidate_control(control);
    raise(control, g_events[0]);
    return 0;
}

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw, mouse_down};

TAVOControlDefinition g_definition = {5, "DisclosureTriangle", sizeof(TriangleData), 0, {184, 185}, 12, 12,
                                      kProperties, 2, nullptr, 0, g_events, 1, &kBehaviour};

}  // namespace

TAVOControlDefinition* disclosure_triangle_definition() { return &g_definition; }
