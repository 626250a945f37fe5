// The math and bitwise entry points.
#include <cmath>
#include <cstring>

#include "values/math_functions.h"

namespace {

// The single-precision quiet NaN 0x7FFFFFFF, widened.
double single_nan() {
    const std::uint32_t bits = 0x7FFFFFFF;
    float nan;
    std::memcpy(&nan, &bits, sizeof nan);
    return nan;
}

}  // namespace

extern "C" double RuntimeSin(double x) { return std::sin(x); }
extern "C" double RuntimeCos(double x) { return std::cos(x); }
extern "C" double RuntimeTan(double x) { return std::tan(x); }
extern "C" double RuntimeASin(double x) { return std::asin(x); }
extern "C" double RuntimeATan(double x) { return std::atan(x); }
extern "C" double RuntimeATan2(double y, double x) { return std::atan2(y, x); }
extern "C" double RuntimeExp(double x) { return std::exp(x); }
extern "C" double RuntimeLog(double x) { return std::log(x); }
extern "C" double RuntimePow(double x, double y) { return std::pow(x, y); }
extern "C" double RuntimeSqrt(double x) { return std::sqrt(x); }
extern "C" double RuntimeCeil(double x) { return std::ceil(x); }
extern "C" double RuntimeFloor(double x) { return std::floor(x); }

// At -1 the quotient is +infinity, so the result is exactly 2 * pi / 2.
extern "C" double RuntimeACos(double x) {
    if (x < -1 || x > 1) return single_nan();
    return 2 * std::atan(std::sqrt((1 - x) / (1 + x)));
}

// Halves round upward: -2.5 gives -2.
extern "C" double RuntimeRound(double x) { return std::floor(x + 0.5); }
extern "C" double RuntimeAbs(double x) { return x < 0.0 ? -x : x; }
// On equal values the second argument wins (only the sign of a zero tells).
extern "C" double RuntimeMax(double a, double b) { return a > b ? a : b; }
extern "C" double RuntimeMin(double a, double b) { return a < b ? a : b; }

extern "C" std::int32_t BitwiseAnd(std::int32_t a, std::int32_t b) { return a & b; }
extern "C" std::int32_t BitwiseOr(std::int32_t a, std::int32_t b) { return a | b; }
extern "C" std::int32_t BitwiseXor(std::int32_t a, std::int32_t b) { return a ^ b; }
