// The timer procedure: one Win32 timer message runs a timer's Action and
// asks for the next message. Below the system timer's resolution a repeating
// timer counts the periods that passed itself, so its average rate matches
// its period.
#include "timer/timer.h"

#include "objects/builtin_events.h"
#include "objects/code_lookup.h"

namespace {

// Periods from this length on are left to the timer messages' spacing.
constexpr std::int32_t kCoarseResolution = 55;

using ActionHandler = void (*)(RuntimeObject* timer);

void run_single(TimerObject* timer, ActionHandler action) {
    timer->armed = 0;
    // A mode-0 timer was stopped after its message was already queued.
    if (timer->mode != kTimerOff && action) action(&timer->header);
}

void run_coarse(TimerObject* timer, ActionHandler action, std::uint32_t time) {
    timer_request(timer, timer->period);
    action(&timer->header);
    timer->last_run = time;
}

void run_catching_up(TimerObject* timer, ActionHandler action, std::uint32_t time) {
    const std::int32_t period = timer->period > 0 ? timer->period : 1;
    // A message stamped before the last arming was queued before it: nothing is due.
    const std::int32_t late = static_cast<std::int32_t>(time - timer->last_run);
    const std::int32_t due = late > 0 ? late / period : 0;
    // A handler that stops the timer or changes its period ends the catching up.
    auto unchanged = [&] { return timer->mode == kTimerMultiple && timer->period == period; };
    for (std::int32_t i = 0; i < due && unchanged(); ++i) action(&timer->header);
    if (unchanged()) {
        const std::int32_t elapsed = static_cast<std::int32_t>(timer_system().now() - timer->last_run);
        const std::int32_t next = 2 * period - elapsed;
        timer_request(timer, next < 0 ? period : next);
        // The part of a period that has passed since the last due run counts
        // towards the next one: dropping it would slow the average rate.
        timer->last_run += static_cast<std::uint32_t>(due * period);
    } else {
        timer->armed = 0;
        timer->last_run = time;
    }
}

}  // namespace

void CALLBACK timer_procedure(HWND window, UINT, UINT_PTR id, DWORD time) {
    // Every request is single-use; the next one is made below when needed.
    timer_system().cancel(window, id);
    // A message queued before its timer was destroyed finds no live timer.
    TimerObject* timer = timer_from_id(id);
    if (!timer) return;
    RuntimeObject* object = &timer->header;
    auto action = reinterpret_cast<ActionHandler>(event_lookup(object, g_timer_events.action));
    // A handler may drop the last reference to its timer.
    RuntimeLockObject(object);
    if (timer->mode != kTimerMultiple) run_single(timer, action);
    else if (!action) timer->last_run = time;
    else if (timer->period >= kCoarseResolution) run_coarse(timer, action, time);
    else run_catching_up(timer, action, time);
    RuntimeUnlockObject(object);
}
