// Integer and floating conversions, rnd, and the math entry points' edges.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <set>

#include "values/math_functions.h"
#include "values/numbers.h"

namespace {

std::uint16_t control_word() {
    std::uint16_t cw;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}
void set_control_word(std::uint16_t cw) { asm volatile("fldcw %0" : : "m"(cw)); }
// What the FPU makes of x in the rounding mode in force.
std::int32_t integer_in_current_mode(double x) {
    std::int32_t n;
    asm volatile("fldl %1\n\tfistpl %0" : "=m"(n) : "m"(x));
    return n;
}

std::uint64_t bits_of(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// First, so that nothing has seeded the generator yet.
TEST(Rnd, TheFirstCallSeedsFromTheTickCount) {
    const DWORD before = GetTickCount();
    const double first = rnd();
    const DWORD after = GetTickCount();
    std::set<double> possible;
    for (DWORD ticks = before; ticks != after + 1; ++ticks)
        possible.insert((random_next(random_seed(ticks)) & 0xFFFFF) / 1048576.0);
    EXPECT_EQ(possible.count(first), 1u);
}

TEST(Rnd, StaysBelowOneInStepsOfAMillionth) {
    std::set<double> seen;
    for (int i = 0; i < 200000; ++i) {
        const double x = rnd();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        ASSERT_EQ(x * 1048576.0, std::floor(x * 1048576.0));
        seen.insert(x);
    }
    EXPECT_GT(seen.size(), 100000u);
}

TEST(Rnd, MinimalStandardStepsAndSeeds) {
    std::uint32_t state = 1;
    for (int i = 0; i < 10000; ++i) state = random_next(state);
    EXPECT_EQ(state, 1043618065u);  // the generator's published check value
    EXPECT_EQ(random_next(127773), 2147480811u);  // Schrage's negative intermediate, corrected
    EXPECT_EQ(random_next(0x7FFFFFFF), 0x7FFFFFFFu);  // the modulus stays put: never a seed
    struct Case {
        std::uint32_t ticks, seed;
    } cases[] = {{0, 1}, {0x80000000u, 1}, {0x7FFFFFFFu, 1}, {0xFFFFFFFFu, 1}, {5, 5}, {0x80000005u, 5}};
    for (const Case& c : cases) EXPECT_EQ(random_seed(c.ticks), c.seed) << c.ticks;
}

TEST(Conversions, TruncateTowardZero) {
    struct Case {
        double x;
        std::int32_t n;
    } cases[] = {{2.999, 2},        {-2.999, -2},       {0.999, 0},           {-0.5, 0},
                 {2147483647.0, INT_MAX}, {-2147483648.0, INT_MIN}, {3e9, INT_MIN}, {std::nan(""), INT_MIN}};
    for (const Case& c : cases) EXPECT_EQ(FPToInt(c.x), c.n) << c.x;
    struct SingleCase {
        float x;
        std::int32_t n;
    } singles[] = {{2.999f, 2}, {-2.999f, -2}, {16777216.0f, 16777216}, {-3e9f, INT_MIN}};
    for (const SingleCase& c : singles) EXPECT_EQ(SingleToInt(c.x), c.n) << c.x;
    for (std::int32_t n : {0, -1, 7, INT_MAX, INT_MIN}) EXPECT_EQ(IntToFP(n), static_cast<double>(n));
}

TEST(Conversions, TheCallersRoundingModeIsInForceAfterwards) {
    const std::uint16_t original = control_word();
    struct Mode {
        std::uint16_t bits;
        std::int32_t of_2_5, of_minus_2_5;
    } modes[] = {{0x0000, 2, -2}, {0x0400, 2, -3}, {0x0800, 3, -2}, {0x0C00, 2, -2}};
    for (const Mode& m : modes) {
        const std::uint16_t cw = static_cast<std::uint16_t>((original & ~0x0C00) | m.bits);
        set_control_word(cw);
        const std::int32_t a = FPToInt(-2.999), b = SingleToInt(2.999f);
        const std::uint16_t after = control_word();
        const std::int32_t up = integer_in_current_mode(2.5), down = integer_in_current_mode(-2.5);
        set_control_word(original);
        EXPECT_EQ(a, -2) << m.bits;
        EXPECT_EQ(b, 2) << m.bits;
        EXPECT_EQ(after, cw) << m.bits;
        EXPECT_EQ(up, m.of_2_5) << m.bits;
        EXPECT_EQ(down, m.of_minus_2_5) << m.bits;
    }
}

TEST(Math, RoundAbsMaxAndMinAtTheirEdges) {
    struct Case {
        double x, rounded;
    } rounds[] = {{2.5, 3.0}, {-2.5, -2.0}, {0.5, 1.0}, {-0.5, 0.0}, {1.4999, 1.0}, {-1.5, -1.0}, {7.0, 7.0}};
    for (const Case& c : rounds) EXPECT_EQ(RuntimeRound(c.x), c.rounded) << c.x;

    EXPECT_EQ(RuntimeAbs(-3.5), 3.5);
    EXPECT_EQ(RuntimeAbs(3.5), 3.5);
    EXPECT_TRUE(std::signbit(RuntimeAbs(-0.0)));  // not below 0.0: given back as it is

    // Equal values give the second argument; only a zero's sign shows it.
    EXPECT_TRUE(std::signbit(RuntimeMax(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(RuntimeMax(-0.0, 0.0)));
    EXPECT_TRUE(std::signbit(RuntimeMin(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(RuntimeMin(-0.0, 0.0)));
    EXPECT_EQ(RuntimeMax(1, 2), 2);
    EXPECT_EQ(RuntimeMax(2, 1), 2);
    EXPECT_EQ(RuntimeMin(1, 2), 1);
    EXPECT_EQ(RuntimeMin(2, 1), 1);
    EXPECT_EQ(RuntimeMax(std::nan(""), 1), 1);
    EXPECT_TRUE(std::isnan(RuntimeMax(1, std::nan(""))));
}

TEST(Math, ACosIsNaNOutsideItsDomainAndPiAtMinusOne) {
    for (double x : {1.5, -1.0001, 1e300}) EXPECT_EQ(bits_of(RuntimeACos(x)), 0x7FFFFFFFE0000000ull) << x;
    EXPECT_DOUBLE_EQ(RuntimeACos(-1), std::acos(-1.0));
    EXPECT_EQ(RuntimeACos(1), 0.0);
    for (double x : {-0.75, 0.0, 0.5, 0.999}) EXPECT_NEAR(RuntimeACos(x), std::acos(x), 1e-15) << x;
}

TEST(Math, BitwiseOperationsOnThirtyTwoBits) {
    EXPECT_EQ(BitwiseAnd(0x0F0F00FF, static_cast<std::int32_t>(0xFF00FF0F)), 0x0F00000F);
    EXPECT_EQ(BitwiseOr(0x0F0F00FF, static_cast<std::int32_t>(0xF0000000)), static_cast<std::int32_t>(0xFF0F00FF));
    EXPECT_EQ(BitwiseXor(-1, 0x12345678), static_cast<std::int32_t>(0xEDCBA987));
}

}  // namespace
