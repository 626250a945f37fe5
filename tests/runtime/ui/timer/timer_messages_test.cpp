// Timers on the real clock and real Win32 timers, their messages pumped the
// way the main loop dispatches them.
#include <gtest/gtest.h>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"
#include "timer/timer.h"

namespace {

int g_actions = 0;
void count_action(RuntimeObject*) { ++g_actions; }

RuntimeClass* counting_timer_class() {
    static RuntimeClass* cls = [] {
        RuntimeClass* c = class_new(string_from_cstr("CountingTimer"));
        c->superclass = builtin_class(BuiltinClass::Timer);
        c->instance_size = 52;
        class_add_handler(c, string_from_cstr("Action"), 1001, reinterpret_cast<void*>(count_action));
        return c;
    }();
    return cls;
}

void pump_for(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

RuntimeObject* started(std::int16_t mode, std::int32_t period) {
    RuntimeObject* timer = object_new(counting_timer_class());
    timerPeriodSetter(timer, 0, period);
    timerModeSetter(timer, 0, mode);
    return timer;
}

class TimerMessages : public ::testing::Test {
protected:
    void SetUp() override {
        timer_class_describe();
        g_actions = 0;
    }
};

TEST_F(TimerMessages, ASingleShotComesOnce) {
    RuntimeObject* timer = started(kTimerSingle, 30);
    pump_for(300);
    EXPECT_EQ(g_actions, 1);
    RuntimeUnlockObject(timer);
}

TEST_F(TimerMessages, ARepeatingTimerKeepsComingUntilItsModeIsZero) {
    RuntimeObject* timer = started(kTimerMultiple, 60);
    pump_for(400);
    const int while_on = g_actions;
    // About six; a loaded machine delays messages but never adds any.
    EXPECT_GE(while_on, 3);
    EXPECT_LE(while_on, 7);
    timerModeSetter(timer, 0, kTimerOff);
    pump_for(200);
    EXPECT_EQ(g_actions, while_on);
    RuntimeUnlockObject(timer);
}

TEST_F(TimerMessages, ADestroyedArmedTimerNeverFires) {
    for (std::int16_t mode : {kTimerSingle, kTimerMultiple}) {
        RuntimeObject* timer = started(mode, 20);
        RuntimeUnlockObject(timer);
        pump_for(150);
        EXPECT_EQ(g_actions, 0) << mode;
    }
}

// A message that was already in the queue when its timer went.
TEST_F(TimerMessages, AQueuedMessageForADestroyedTimerIsIgnored) {
    RuntimeObject* timer = started(kTimerMultiple, 1000);
    const UINT_PTR id = timer_id(reinterpret_cast<TimerObject*>(timer));
    PostMessageA(timer_window(), WM_TIMER, id, reinterpret_cast<LPARAM>(timer_procedure));
    RuntimeUnlockObject(timer);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
        // Dispatching may refuse an unknown timer; the procedure must too.
        if (msg.message == WM_TIMER) timer_procedure(msg.hwnd, msg.message, msg.wParam, msg.time);
    }
    EXPECT_EQ(g_actions, 0);
}

}  // namespace
