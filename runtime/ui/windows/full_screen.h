// Full-screen mode: the client area covers the screen the window overlaps
// most, without caption and sizing border.
#pragma once

struct NativeView;

void full_screen_enter(NativeView* view);
void full_screen_leave(NativeView* view);
