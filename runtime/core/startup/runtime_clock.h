// The clocks application code reads: ticks of 16 ms, the unit of the
// periodic task service, and microseconds of the high-resolution counter.
#pragma once

#include <cstdint>

extern "C" {
std::int32_t RuntimeTicks();
// Since the process started, fractions of a microsecond included.
double RuntimeMicroseconds();
}
