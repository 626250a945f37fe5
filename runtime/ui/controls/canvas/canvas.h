// Canvas: a control the application draws itself in its Paint event, over
// its Backdrop picture, and that takes the mouse in its own coordinates.
#pragma once

#include <cstdint>

#include "controls/control_object.h"

struct EventDefinition;

struct CanvasObject {
    ControlObject control;
    RuntimeObject* backdrop;  // a Picture, one reference; nil for none
    std::uint32_t reserved[2];
};
static_assert(sizeof(CanvasObject) == 100, "the size of the built-in class");

struct CanvasEvents {
    EventDefinition *paint, *mouse_down, *mouse_drag, *mouse_up;
};
extern CanvasEvents g_canvas_events;

// The class's events, property table, CreatePane and destructor; once.
void canvas_class_describe();
