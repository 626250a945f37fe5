// Timer construction and destruction, the live-timer list and the hidden
// window that receives every timer's messages.
#include "timer/timer.h"

#include "startup/process.h"

namespace {

TimerObject* g_timers = nullptr;
HWND g_window = nullptr;

std::uint32_t system_now() { return GetTickCount(); }
void system_request(HWND window, UINT_PTR id, UINT milliseconds) { SetTimer(window, id, milliseconds, timer_procedure); }
void system_cancel(HWND window, UINT_PTR id) { KillTimer(window, id); }

const TimerSystem kDefaults = {system_now, system_request, system_cancel};
TimerSystem g_system = kDefaults;

TimerObject* fields(RuntimeObject* object) { return reinterpret_cast<TimerObject*>(object); }

void create_window() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = process_instance();
    wc.lpszClassName = "TVTimer";
    RegisterClassA(&wc);
    g_window = CreateWindowExA(0, "TVTimer", "", 0, 0, 0, 0, 0, nullptr, nullptr, process_instance(), nullptr);
}

}  // namespace

void timer_construct(RuntimeObject* object, RuntimeClass*) {
    if (!g_window) create_window();
    TimerObject* timer = fields(object);
    timer->last_run = g_system.now();
    timer->period = 1000;
    timer->armed = 0;
    timer->next_timer = g_timers;
    g_timers = timer;
}

void timer_destruct(RuntimeObject* object, RuntimeClass*) {
    TimerObject* timer = fields(object);
    for (TimerObject** link = &g_timers; *link; link = &(*link)->next_timer) {
        if (*link == timer) {
            *link = timer->next_timer;
            break;
        }
    }
    // Also when not armed: a handler may have re-armed the timer while its
    // run cleared the flag.
    timer_cancel(timer);
}

TimerSystem& timer_system() { return g_system; }
const TimerSystem& timer_system_defaults() { return kDefaults; }

HWND timer_window() { return g_window; }

TimerObject* timer_from_id(UINT_PTR id) {
    for (TimerObject* timer = g_timers; timer; timer = timer->next_timer) {
        if (timer_id(timer) == id) return timer;
    }
    return nullptr;
}

UINT_PTR timer_id(const TimerObject* timer) { return reinterpret_cast<UINT_PTR>(timer); }

void timer_request(TimerObject* timer, std::int32_t milliseconds) {
    g_system.request(g_window, timer_id(timer), static_cast<UINT>(milliseconds < 0 ? 0 : milliseconds));
}

void timer_cancel(TimerObject* timer) { g_system.cancel(g_window, timer_id(timer)); }
