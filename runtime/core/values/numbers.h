// Conversions between 32-bit integers and floating point, and rnd.
#pragma once

#include <cstdint>

// The steps of rnd: a state from the tick count (never 0, and never the
// modulus 2^31 - 1, from which the generator would not move), and the
// minimal standard step 16807 * state mod (2^31 - 1).
std::uint32_t random_seed(std::uint32_t ticks);
std::uint32_t random_next(std::uint32_t state);

extern "C" {
// Truncated toward zero under the truncating rounding mode, the caller's
// mode restored afterwards. Out of range: 0x80000000.
std::int32_t FPToInt(double x);
std::int32_t SingleToInt(float x);
double IntToFP(std::int32_t n);
// [0, 1) in steps of 1/1048576; seeded from the tick count on first use.
double rnd();
}
