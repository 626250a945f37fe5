#include "windows/window_events.h"

#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "objects/code_lookup.h"
#include "strings/runtime_string.h"

WindowEvents g_window_events;
ControlEvents g_control_events;

namespace {

const EventTableRow kWindowRows[] = {
    {0, "Open", "", "", 0, &g_window_events.open},
    {0, "Close", "", "", 0, &g_window_events.close},
    {0, "CancelClose", "", "Boolean", 0, &g_window_events.cancel_close},
    {0, "KeyDown", "Key As String", "Boolean", 401, &g_window_events.key_down},
    {0, "MouseMove", "X As Integer, Y As Integer", "", 503, &g_window_events.mouse_move},
    {0, "MouseEnter", "", "", 504, &g_window_events.mouse_enter},
    {0, "MouseExit", "", "", 505, &g_window_events.mouse_exit},
    {0, "Paint", "g As Graphics", "", 0, &g_window_events.paint},
    {0, "MouseDown", "X As Integer, Y As Integer", "Boolean", 501, &g_window_events.mouse_down},
    {0, "MouseDrag", "X As Integer, Y As Integer", "", 506, &g_window_events.mouse_drag},
    {0, "MouseUp", "X As Integer, Y As Integer", "", 502, &g_window_events.mouse_up},
    {0, "EnableMenuItems", "", "", 0, &g_window_events.enable_menu_items},
    {0, "Resized", "", "", 0, &g_window_events.resized},
    {0, "Moved", "", "", 0, &g_window_events.moved},
    {0, "DropObject", "obj As DragItem", "", 0, &g_window_events.drop_object},
    {0, "Activate", "", "", 0, &g_window_events.activate},
    {0, "Deactivate", "", "", 0, &g_window_events.deactivate},
};

const EventTableRow kControlRows[] = {
    {0, "CreatePane", "", "", 0, &g_control_events.create_pane},
    {0, "Open", "", "", 0, &g_control_events.open},
    {0, "Close", "", "", 0, &g_control_events.close},
    {0, "DropObject", "obj As DragItem", "", 0, &g_control_events.drop_object},
};

template <std::size_t N>
void describe(BuiltinClass which, const EventTableRow (&rows)[N]) {
    RuntimeClass* cls = builtin_class(which);
    for (const EventTableRow& row : rows)
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
}

// Handlers are compiled code: C calling convention, Booleans in AL.
template <typename Code>
Code handler(RuntimeObject* object, EventDefinition* event) {
    return reinterpret_cast<Code>(event_lookup(object, event));
}

}  // namespace

void window_events_describe() {
    describe(BuiltinClass::Window, kWindowRows);
    describe(BuiltinClass::Control, kControlRows);
}

void fire_event(RuntimeObject* object, EventDefinition* event) {
    if (auto code = handler<void (*)(RuntimeObject*)>(object, event)) code(object);
}

bool fire_boolean_event(RuntimeObject* object, EventDefinition* event) {
    auto code = handler<bool (*)(RuntimeObject*)>(object, event);
    return code && code(object);
}

void fire_object_event(RuntimeObject* object, EventDefinition* event, RuntimeObject* argument) {
    if (auto code = handler<void (*)(RuntimeObject*, RuntimeObject*)>(object, event)) code(object, argument);
}

void fire_point_event(RuntimeObject* object, EventDefinition* event, std::int32_t x, std::int32_t y) {
    if (auto code = handler<void (*)(RuntimeObject*, std::int32_t, std::int32_t)>(object, event)) code(object, x, y);
}

bool fire_boolean_point_event(RuntimeObject* object, EventDefinition* event, std::int32_t x, std::int32_t y) {
    auto code = handler<bool (*)(RuntimeObject*, std::int32_t, std::int32_t)>(object, event);
    return code && code(object, x, y);
}

bool fire_boolean_text_event(RuntimeObject* object, EventDefinition* event, RuntimeString* text) {
    auto code = handler<bool (*)(RuntimeObject*, RuntimeString*)>(object, event);
    return code && code(object, text);
}
