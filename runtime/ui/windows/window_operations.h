// Showing, hiding, closing and modal use of windows, and the window list.
#pragma once

#include <cstdint>

struct RuntimeObject;

extern "C" {
void RuntimeShowWindow(RuntimeObject* window);
void RuntimeHideWindow(RuntimeObject* window);
void RuntimeCloseWindow(RuntimeObject* window);
// Shows the window and runs the main loop until it is closed or hidden, or
// the program quits.
void RuntimeShowModal(RuntimeObject* window);
std::int32_t getWindowCount();
// The n-th window from the front (top-level windows, then MDI children);
// a new reference, nil out of range.
RuntimeObject* getWindow(std::int32_t n);
void RuntimeBeep();
}
