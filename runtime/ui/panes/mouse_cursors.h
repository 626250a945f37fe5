// Mouse cursors: MouseCursor objects and the cursor shown over a window,
// chosen from the control under the pointer, else the window, else the
// application.
#pragma once

#include <windows.h>

#include "objects/objects.h"

struct NativeView;

struct MouseCursorObject {
    RuntimeObject header;
    HCURSOR cursor;  // shared system or resource cursor; never destroyed
};
static_assert(sizeof(MouseCursorObject) == 28, "a MouseCursor is 28 bytes");

extern "C" {
RuntimeObject* getArrowCursor();
RuntimeObject* getWatchCursor();
RuntimeObject* getIBeamCursor();
void appMouseCursorSetter(RuntimeObject* application, std::uint32_t, RuntimeObject* cursor);
}

// WM_SETCURSOR over the client area of `view` (at the pointer): true when a
// cursor was set.
bool mouse_cursor_apply(NativeView* view);
// Cursors named by the project's items.
void mouse_cursors_install();
