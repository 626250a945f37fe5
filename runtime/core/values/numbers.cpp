// Integer and floating-point conversions, and the random-number source.
#include "values/numbers.h"

#include <windows.h>

namespace {

constexpr std::uint16_t kRoundTowardZero = 0x0C00;  // rounding control bits of the FPU control word
constexpr std::uint32_t kModulus = 0x7FFFFFFF;     // 2^31 - 1

std::uint32_t g_random_state = 0;

}  // namespace

std::uint32_t random_seed(std::uint32_t ticks) {
    const std::uint32_t seed = ticks & kModulus;
    return seed == 0 || seed == kModulus ? 1 : seed;
}

// Schrage's method keeps 16807 * state within 32 bits.
std::uint32_t random_next(std::uint32_t state) {
    const std::int32_t s = static_cast<std::int32_t>(state);
    std::int32_t t = 16807 * (s % 127773) - 2836 * (s / 127773);
    if (t <= 0) t += static_cast<std::int32_t>(kModulus);
    return static_cast<std::uint32_t>(t);
}

extern "C" std::int32_t FPToInt(double x) {
    std::uint16_t saved, truncating;
    std::int32_t n;
    asm volatile("fnstcw %0" : "=m"(saved));
    truncating = saved | kRoundTowardZero;
    asm volatile("fldcw %1\n\tfldl %2\n\tfistpl %0\n\tfldcw %3"
                 : "=m"(n)
                 : "m"(truncating), "m"(x), "m"(saved));
    return n;
}

extern "C" std::int32_t SingleToInt(float x) {
    std::uint16_t saved, truncating;
    std::int32_t n;
    asm volatile("fnstcw %0" : "=m"(saved));
    truncating = saved | kRoundTowardZero;
    asm volatile("fldcw %1\n\tflds %2\n\tfistpl %0\n\tfldcw %3"
                 : "=m"(n)
                 : "m"(truncating), "m"(x), "m"(saved));
    return n;
}

extern "C" double IntToFP(std::int32_t n) { return n; }

extern "C" double rnd() {
    if (g_random_state == 0) g_random_state = random_seed(GetTickCount());
    g_random_state = random_next(g_random_state);
    return (g_random_state & 0xFFFFF) / 1048576.0;
}
