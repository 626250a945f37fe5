// A view's size and place: resizes and their control locks, moves, and the
// size limits while the user drags an edge.
#pragma once

#include <windows.h>

struct NativeView;

// The view's resize operation: the window rectangle from the native window,
// the locked controls moved by the change since the last one, `Resized`.
// While the window is still opening it is only marked as pending.
void view_resize(NativeView* view);
// The window rectangle from the native window, then `Moved`.
void view_moved(NativeView* view);
// WM_SIZING: keeps the client area of `dragged` within the window's limits.
void view_limit_sizing(NativeView* view, WPARAM edge, RECT* dragged);
// The top-left corner of the view's client area where the window
// rectangle counts: the screen, or the MDI client for a document window.
POINT view_client_origin(const NativeView* view);
