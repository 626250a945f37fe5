#include "canvas.h"

#include <cstddef>

#include "canvas_entry_points.h"
#include "canvas_pane.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

CanvasEvents g_canvas_events;

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;
constexpr std::uint32_t kRunTime = 0x01;

const EventTableRow kCanvasEvents[] = {
    {0, "Paint", "g As Graphics", "", 0, &g_canvas_events.paint},
    {0, "MouseDown", "X As Integer, Y As Integer", "Boolean", 501, &g_canvas_events.mouse_down},
    {0, "MouseDrag", "X As Integer, Y As Integer", "", 506, &g_canvas_events.mouse_drag},
    {0, "MouseUp", "X As Integer, Y As Integer", "", 502, &g_canvas_events.mouse_up},
};

const PropertyRow kCanvasRows[] = {
    {kRunTime, "Graphics", nullptr, B::Graphics, as_getter(canvasGraphicsGetter), nullptr, 0},
    {0, "Backdrop", nullptr, B::Picture, as_getter(objGetter), as_setter(canvasBackdropSetter),
     static_cast<std::uint32_t>(offsetof(CanvasObject, backdrop))},
};

void canvas_release(RuntimeObject* object, RuntimeClass*) {
    auto* canvas = reinterpret_cast<CanvasObject*>(object);
    RuntimeUnlockObject(canvas->backdrop);
    canvas->backdrop = nullptr;
}

bool g_described = false;

}  // namespace

void canvas_class_describe() {
    if (g_described) return;
    g_described = true;
    RuntimeClass* cls = builtin_class(B::Canvas);
    for (const EventTableRow& row : kCanvasEvents)
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
    property_table_install(B::Canvas, kCanvasRows);
    class_add_handler(cls, string_from_cstr("CreatePane"), 0, reinterpret_cast<void*>(canvas_create_pane));
    cls->destructor = canvas_release;
}
