// Timer objects: Action after a period, once or repeatedly, driven by
// single-use Win32 timers on one hidden window shared by all timers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "objects/objects.h"

struct TimerObject {
    RuntimeObject header;
    TimerObject* next_timer;  // live-timer list, newest first; not a counted reference
    std::int16_t mode;        // 0 off, 1 single, 2 multiple
    std::uint16_t unused_mode_high;
    std::int32_t period;        // milliseconds, at least 1 once set
    std::uint32_t last_run;     // clock value of the last arming or run
    std::uint32_t armed;        // 1 while the timer is meant to run
    std::uint32_t reserved[2];  // the class keeps its full instance size
};
static_assert(sizeof(TimerObject) == 52, "a Timer object is 52 bytes");

enum TimerMode : std::int16_t { kTimerOff = 0, kTimerSingle = 1, kTimerMultiple = 2 };

// What the timers ask of the system: the millisecond clock that every timing
// decision reads, and the Win32 timer requests for the hidden window. The
// defaults are GetTickCount, SetTimer with the runtime's timer procedure, and
// KillTimer; tests may put in their own.
struct TimerSystem {
    std::uint32_t (*now)();
    void (*request)(HWND window, UINT_PTR id, UINT milliseconds);
    void (*cancel)(HWND window, UINT_PTR id);
};
TimerSystem& timer_system();
const TimerSystem& timer_system_defaults();

// Gives Timer its constructor, destructor and property list; later calls do
// nothing. Called at start-up before any timer exists.
void timer_class_describe();

// The class constructor and destructor: the first timer makes the hidden
// window; every timer is listed while it lives.
void timer_construct(RuntimeObject* object, RuntimeClass* cls);
void timer_destruct(RuntimeObject* object, RuntimeClass* cls);

// The hidden "TVTimer" window; null until the first timer is made.
HWND timer_window();
// The live timer that `id` names; null for one already destroyed.
TimerObject* timer_from_id(UINT_PTR id);
UINT_PTR timer_id(const TimerObject* timer);

// One Win32 timer message for `timer` after `milliseconds`, replacing any
// pending one; and taking a pending one back.
void timer_request(TimerObject* timer, std::int32_t milliseconds);
void timer_cancel(TimerObject* timer);

// The procedure Win32 calls for every timer message of the hidden window,
// with the timer's identifier and the message's tick count.
void CALLBACK timer_procedure(HWND window, UINT message, UINT_PTR id, DWORD time);

extern "C" {
std::int32_t timerModeGetter(RuntimeObject* timer, std::int32_t selector);
void timerModeSetter(RuntimeObject* timer, std::int32_t selector, std::int32_t value);
std::int32_t timerPeriodGetter(RuntimeObject* timer, std::int32_t selector);
void timerPeriodSetter(RuntimeObject* timer, std::int32_t selector, std::int32_t value);
}
