// Mode and Period: storing them arms, re-arms or stops the Win32 timer.
#include "timer/timer.h"

namespace {

TimerObject* fields(RuntimeObject* object) { return reinterpret_cast<TimerObject*>(object); }

std::int32_t elapsed_since_last_run(const TimerObject* timer) {
    return static_cast<std::int32_t>(timer_system().now() - timer->last_run);
}

}  // namespace

extern "C" {

std::int32_t timerModeGetter(RuntimeObject* timer, std::int32_t) { return fields(timer)->mode; }

void timerModeSetter(RuntimeObject* object, std::int32_t, std::int32_t value) {
    TimerObject* timer = fields(object);
    timer->mode = static_cast<std::int16_t>(value);
    timer->last_run = timer_system().now();
    if (timer->mode != kTimerOff) {
        timer->armed = 1;
        timer_request(timer, timer->period);
    } else {
        // The flag stays: a pending request may still be out from a run
        // that cleared it, and cancelling is harmless without one.
        timer_cancel(timer);
    }
}

std::int32_t timerPeriodGetter(RuntimeObject* timer, std::int32_t) { return fields(timer)->period; }

void timerPeriodSetter(RuntimeObject* object, std::int32_t, std::int32_t value) {
    TimerObject* timer = fields(object);
    timer->period = value > 0 ? value : 1;
    if (timer->mode == kTimerOff || !timer->armed) return;
    const std::int32_t remaining = timer->period - elapsed_since_last_run(timer);
    if (timer->mode == kTimerMultiple) {
        timer_request(timer, remaining < 0 ? timer->period : remaining);
    } else {
        // A pending single shot keeps its start: it comes once the new
        // period has passed since the arming, at once when that is over.
        timer_request(timer, remaining < 0 ? 1 : remaining);
    }
}

}  // extern "C"
