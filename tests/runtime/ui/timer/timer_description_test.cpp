// A timer placed by a window description: made with the window, set from
// its pairs, running on real Win32 timers, and gone with the window.
#include <gtest/gtest.h>

#include "descriptions/control_lookup.h"
#include "descriptions/window_description.h"
#include "descriptions/window_test_support.h"
#include "objects/debugger.h"
#include "timer/timer.h"
#include "windows/window_operations.h"

namespace {

int g_actions = 0;
void count_action(RuntimeObject*) { ++g_actions; }

void pump_for(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

enum { kWindow, kTicker, kClassCount };

TEST(TimerDescriptions, APlacedTimerRunsWithItsWindowAndGoesWithIt) {
    window_layer_ready();
    timer_class_describe();
    static RuntimeClass* classes[kClassCount] = {
        test_class("TimerWindow", BuiltinClass::Window),
        test_class("PlacedTicker", BuiltinClass::Timer, {{"Action", reinterpret_cast<void*>(count_action)}}),
    };
    class_table_install(classes, kClassCount);
    const std::int32_t objects_before = RuntimeDebugObjectCount(nullptr);

    // The pairs a control entry carries; those a timer lacks are ignored.
    const ControlEntry ticker = {kTicker,
                                 {{"Name", "Ticker"}, {"Index", "-2147483648"}, {"Left", "10"}, {"Visible", "True"},
                                  {"Mode", "2"}, {"Period", "20"}}};
    const std::vector<std::uint8_t> description = window_description(kWindow, {{"Visible", "False"}}, {ticker});
    RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
    ASSERT_NE(window, nullptr);
    RuntimeString* name = string_from_cstr("ticker");
    RuntimeObject* timer = RuntimeControlFetch(window, name);
    RuntimeUnlockString(name);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timerModeGetter(timer, 0), 2);
    EXPECT_EQ(timerPeriodGetter(timer, 0), 20);

    g_actions = 0;
    pump_for(300);
    const int while_open = g_actions;
    EXPECT_GE(while_open, 8) << "about 15 in 300 ms";
    EXPECT_LE(while_open, 16);

    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    pump_for(100);
    EXPECT_EQ(g_actions, while_open) << "no Action once the window is gone";
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before) << "the window and its timer are gone";
}

}  // namespace
