// The runtime's accessors for properties whose definition gives -1: they
// read and write the field at a fixed offset of the instance. Each is made
// as a small piece of code in the form compiled code calls, getter(object)
// and setter(object, value); Single and Double results come on the FPU stack
// and a Double value takes two argument words.
#pragma once

#include <cstdint>

#include "declaration_parser.h"

struct RuntimeObject;

void* field_getter_for(PluginValueType type, std::uint32_t offset);
// With `redraw`, the control is redrawn after each store.
void* field_setter_for(PluginValueType type, std::uint32_t offset, bool redraw);
// How a control is redrawn; set by the pane layer (until then a new value
// shows at the control's next paint).
void plugin_field_accessors_set_redraw(void (*redraw)(RuntimeObject* control));
