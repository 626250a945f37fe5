// The events of RectControl, which the window raises as the pointer moves.
#pragma once

struct EventDefinition;

struct RectControlEvents {
    EventDefinition *mouse_move, *mouse_enter, *mouse_exit;
};
extern RectControlEvents g_rect_control_events;

void pane_events_describe();
