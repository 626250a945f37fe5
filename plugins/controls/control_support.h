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
// nothing while the control has no pane. For controls that cover their
// bounds: the others are marked for painting (TAVOInvalidateControl), so
// that the runtime paints what lies behind them first.
void redraw_now(void* control, void (*redraw)(void* control, void* graphics));

// A solid 1-pixel pen of a system colour.
HPEN system_pen(int colour_index);

// One ring of 1-pixel edges just inside `r`: the left and top edges in
// `top_left`, the bottom and right edges in `bottom_right` (system colour
// indexes).
void draw_ring(HDC dc, const RECT& r, int top_left, int bottom_right);
// Fills `r` with a system colour.
void fill_system(HDC dc, const RECT& r, int colour_index);

// Arrow directions, as PopupArrow's Facing names them (4 to 7: the same,
// smaller).
enum Facing { kFacingRight = 0, kFacingLeft = 1, kFacingUp = 2, kFacingDown = 3 };
// A solid arrow filling `box`, drawn row by row so that its edges stay crisp.
void draw_arrow(HDC dc, const RECT& box, int facing, COLORREF colour);
// `width` x `height` centred in `r`.
RECT centred(const RECT& r, int width, int height);
