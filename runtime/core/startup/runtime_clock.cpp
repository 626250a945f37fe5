#include "startup/runtime_clock.h"

#include <windows.h>

#include "startup/periodic_tasks.h"

namespace {

LARGE_INTEGER counter_now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// Read while the process starts, before any application code runs.
const LARGE_INTEGER g_start = counter_now();

}  // namespace

extern "C" std::int32_t RuntimeTicks() { return static_cast<std::int32_t>(runtime_ticks_now()); }

extern "C" double RuntimeMicroseconds() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const long long counts = counter_now().QuadPart - g_start.QuadPart;
    // Whole seconds apart, so that long runs keep the counter's precision.
    const long long seconds = counts / frequency.QuadPart;
    const long long rest = counts % frequency.QuadPart;
    return static_cast<double>(seconds) * 1e6 + static_cast<double>(rest) * 1e6 / static_cast<double>(frequency.QuadPart);
}
