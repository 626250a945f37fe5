// The main loop: one Win32 message per pass, until the quit flag is set.
#pragma once

// One pass: one message taken and dispatched, the windows and timers served.
void main_loop_pass();
// Sets the quit flag: the loop ends after the current pass. Never cleared.
void main_loop_quit();
bool main_loop_quitting();
// True once the first pass of the main loop has begun.
bool main_loop_started();

extern "C" int RuntimeRun();
