// The clocks application code reads, and their places in the export table.
#include <gtest/gtest.h>

#include <windows.h>

#include "image/export_table.h"
#include "startup/runtime_clock.h"

namespace {

TEST(RuntimeClock, TicksAreTheTickCountInSixteenths) {
    const std::int32_t before = static_cast<std::int32_t>(GetTickCount() >> 4);
    const std::int32_t ticks = RuntimeTicks();
    const std::int32_t after = static_cast<std::int32_t>(GetTickCount() >> 4);
    EXPECT_GE(ticks, before);
    EXPECT_LE(ticks, after);
    Sleep(100);
    EXPECT_GE(RuntimeTicks() - ticks, 5);  // 100 ms are six ticks, give or take the clock's steps
}

TEST(RuntimeClock, MicrosecondsCountFromTheStartWithFractions) {
    const double first = RuntimeMicroseconds();
    EXPECT_GT(first, 0.0);
    EXPECT_LT(first, 60e6) << "counted from this process's start";
    Sleep(50);
    const double later = RuntimeMicroseconds();
    EXPECT_GE(later - first, 45e3);
    EXPECT_LT(later - first, 1e6);
    // Successive readings never go back.
    double last = RuntimeMicroseconds();
    for (int i = 0; i < 1000; ++i) {
        const double now = RuntimeMicroseconds();
        ASSERT_GE(now, last);
        last = now;
    }
}

TEST(RuntimeClock, TheExportTableBindsTheClocks) {
    EXPECT_EQ(export_lookup_link("RuntimeTicks"), reinterpret_cast<void*>(RuntimeTicks));
    EXPECT_EQ(export_lookup_link("runtimemicroseconds"), reinterpret_cast<void*>(RuntimeMicroseconds));
}

}  // namespace
