// The events of Window and Control, and calling their handlers.
#pragma once

#include <cstdint>

struct EventDefinition;
struct RuntimeObject;
struct RuntimeString;

struct WindowEvents {
    EventDefinition *open, *close, *cancel_close, *key_down, *mouse_move, *mouse_enter, *mouse_exit, *paint,
        *mouse_down, *mouse_drag, *mouse_up, *enable_menu_items, *resized, *moved, *drop_object, *activate,
        *deactivate;
};
extern WindowEvents g_window_events;

struct ControlEvents {
    EventDefinition *create_pane, *open, *close, *drop_object;
};
extern ControlEvents g_control_events;

// Adds the event definitions to the built-in Window and Control classes.
void window_events_describe();

// Each calls the object's handler of the event, if it has one; the
// Boolean ones answer false without a handler.
void fire_event(RuntimeObject* object, EventDefinition* event);
bool fire_boolean_event(RuntimeObject* object, EventDefinition* event);
void fire_object_event(RuntimeObject* object, EventDefinition* event, RuntimeObject* argument);
void fire_point_event(RuntimeObject* object, EventDefinition* event, std::int32_t x, std::int32_t y);
bool fire_boolean_point_event(RuntimeObject* object, EventDefinition* event, std::int32_t x, std::int32_t y);
bool fire_boolean_text_event(RuntimeObject* object, EventDefinition* event, RuntimeString* text);
