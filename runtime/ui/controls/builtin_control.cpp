#include "controls/builtin_control.h"

#include "objects/classes.h"
#include "strings/runtime_string.h"

void control_class_create_pane(BuiltinClass which, CreatePaneCode code) {
    class_add_handler(builtin_class(which), string_from_cstr("CreatePane"), -1, reinterpret_cast<void*>(code));
}

void control_class_events(BuiltinClass which, const EventTableRow* rows, std::size_t count) {
    RuntimeClass* cls = builtin_class(which);
    for (std::size_t i = 0; i < count; ++i)
        *rows[i].slot = class_add_event(cls, string_from_cstr(rows[i].name), string_from_cstr(rows[i].parameters),
                                        string_from_cstr(rows[i].result));
}
