// Full-screen mode: the client area covers the screen the window overlaps
// most, without caption and sizing border. A document window's frame
// covers the screen instead.
#pragma once

#include <windows.h>

// The styles full-screen mode takes away.
constexpr LONG kFramedStyles = WS_CAPTION | WS_THICKFRAME;

struct NativeView;

void full_screen_enter(NativeView* view);
void full_screen_leave(NativeView* view);
