// Mouse dispatch: clicks to the front-most pane under them (else to the
// window), the capture that follows an accepted click, and the pointer
// tracking behind MouseEnter, MouseMove and MouseExit.
#pragma once

#include <windows.h>

#include <cstdint>

class Pane;
struct NativeView;

// The modifier bits of a mouse message (Control and Shift from its flags).
std::int32_t mouse_modifiers(WPARAM flags);
// Modifiers as the keyboard has them now, the Windows keys included.
std::int32_t current_modifiers();

// Points are in the window's client coordinates.
void view_mouse_down(NativeView* view, int x, int y, std::int32_t modifiers, bool right_button);
void view_mouse_move(NativeView* view, int x, int y);
void view_mouse_up(NativeView* view, int x, int y);

// Set while a right-button click is processed, and while a double click
// reaches a native control's pane.
bool mouse_right_button();
bool mouse_double_click();
void mouse_double_click_set(bool on);

// The main loop's services: true while a pane or window holds the capture;
// the pointer moved to `cursor` (screen coordinates).
bool mouse_tracking();
void mouse_track(POINT cursor);

// A closing view lets go of the capture and the pointer at once.
void mouse_forget_view(NativeView* view);
