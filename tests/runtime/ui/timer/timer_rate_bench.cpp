// The average rate of repeating timers of a few periods, each over 5 s of
// message dispatch, against the rate their period asks for. Run by hand:
// timer_rate_bench [SECONDS].
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "startup/runtime_clock.h"
#include "strings/runtime_string.h"
#include "timer/timer.h"

namespace {

int g_runs = 0;
void count_run(RuntimeObject*) { ++g_runs; }

RuntimeClass* counting_class() {
    RuntimeClass* cls = class_new(string_from_cstr("BenchTimer"));
    cls->superclass = builtin_class(BuiltinClass::Timer);
    cls->instance_size = 52;
    class_add_handler(cls, string_from_cstr("Action"), 1001, reinterpret_cast<void*>(count_run));
    return cls;
}

double measured_rate(RuntimeClass* cls, int period, double seconds) {
    RuntimeObject* timer = object_new(cls);
    timerPeriodSetter(timer, 0, period);
    g_runs = 0;
    const double start = RuntimeMicroseconds();
    timerModeSetter(timer, 0, kTimerMultiple);
    MSG msg;
    while (RuntimeMicroseconds() - start < seconds * 1e6 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    const double elapsed = (RuntimeMicroseconds() - start) / 1e6;
    timerModeSetter(timer, 0, kTimerOff);
    RuntimeUnlockObject(timer);
    return g_runs / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    timer_class_describe();
    RuntimeClass* cls = counting_class();
    std::printf("period ms   runs/s   wanted   off by\n");
    for (int period : {1, 5, 10, 20, 35, 55, 100}) {
        const double rate = measured_rate(cls, period, seconds);
        const double wanted = 1000.0 / period;
        std::printf("%9d %8.1f %8.1f %+7.1f%%\n", period, rate, wanted, 100.0 * (rate - wanted) / wanted);
    }
    return 0;
}
