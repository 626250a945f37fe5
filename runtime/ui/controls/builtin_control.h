// What the built-in control classes add to their descriptors at start-up:
// their own CreatePane, which wins over handlers of subclasses, and the
// events they introduce.
#pragma once

#include <cstddef>

#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"

struct RuntimeObject;

using CreatePaneCode = void (*)(RuntimeObject* control);

void control_class_create_pane(BuiltinClass which, CreatePaneCode code);

// Each row becomes an event of the class; its slot receives the definition.
void control_class_events(BuiltinClass which, const EventTableRow* rows, std::size_t count);
template <std::size_t N>
void control_class_events(BuiltinClass which, const EventTableRow (&rows)[N]) {
    control_class_events(which, rows, N);
}
