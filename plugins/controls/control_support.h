// What every control of the plugin needs: its data area, its bounds, the
// application's handlers of its events, and drawing into it at once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin_interface.h"

// The control's own data, where the runtime said it starts.
template <typename Data>
Data& data_of(void* control, const TAVOControlDefinition& definition) {
    return *reinterpret_cast<Data*>(static_cast<std::uint8_t*>(control) + definition.data_offset);
}

// Window coordinates, as the panes use them.
RECT control_bounds(void* control);
bool control_enabled(void* control);
bool contains(const RECT& r, int x, int y);

// The application's handler of `event` for the control; null when none.
void* event_handler(void* control, const TAVOEventDefinition& event);
// Runs a handler without arguments ("Action", "Up", "Down").
void raise(void* control, const TAVOEventDefinition& event);
// The three mouse events of the forwarding controls.
extern const char kMouseDownDeclaration[];
extern const char kMouseDragDeclaration[];
extern const char kMouseUpDeclaration[];
std::uint8_t raise_mouse_down(void* control, const TAVOEventDefinition& event, std::int32_t x, std::int32_t y);
void raise_point(void* control, const TAVOEventDefinition& event, std::int32_t x, std::int32_t y);

// Draws the control now with `redraw`, through a Graphics of its own; does
// nothing while the control has no pane.
void redraw_now(void* control, void (*redraw)(void* control, void* graphics));

// A solid 1-pixel pen of a system colour.
HPEN system_pen(int colour_index);
// A filled triangle of `colour` (COLORREF) through three points.
void fill_triangle(HDC dc, const POINT (&corners)[3], COLORREF colour);
