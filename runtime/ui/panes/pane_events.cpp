#include "panes/pane_events.h"

#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

RectControlEvents g_rect_control_events;

namespace {

const EventTableRow kRectControlRows[] = {
    {0, "MouseMove", "X As Integer, Y As Integer", "", 503, &g_rect_control_events.mouse_move},
    {0, "MouseEnter", "", "", 504, &g_rect_control_events.mouse_enter},
    {0, "MouseExit", "", "", 505, &g_rect_control_events.mouse_exit},
};

}  // namespace

void pane_events_describe() {
    RuntimeClass* cls = builtin_class(BuiltinClass::RectControl);
    for (const EventTableRow& row : kRectControlRows)
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
}
