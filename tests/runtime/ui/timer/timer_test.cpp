// Timers on a clock of the test's own: the messages are delivered by calling
// the timer procedure as Win32 does, and every Win32 timer request is
// recorded instead of made.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "descriptions/type_records.h"
#include "image/export_table.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/debugger.h"
#include "strings/runtime_string.h"
#include "timer/timer.h"

namespace {

struct Request {
    UINT_PTR id;
    int milliseconds;  // -1: cancelled
    bool operator==(const Request& other) const { return id == other.id && milliseconds == other.milliseconds; }
};

std::uint32_t g_clock = 0;
std::vector<Request> g_requests;
int g_actions = 0;
std::function<void(RuntimeObject*)> g_in_action;

std::uint32_t fake_now() { return g_clock; }
void fake_request(HWND, UINT_PTR id, UINT milliseconds) { g_requests.push_back({id, static_cast<int>(milliseconds)}); }
void fake_cancel(HWND, UINT_PTR id) { g_requests.push_back({id, -1}); }

void on_action(RuntimeObject* timer) {
    ++g_actions;
    if (g_in_action) g_in_action(timer);
}

// A subclass with an Action handler, as an image would define it.
RuntimeClass* handled_timer_class() {
    static RuntimeClass* cls = [] {
        RuntimeClass* c = class_new(string_from_cstr("TickingTimer"));
        c->superclass = builtin_class(BuiltinClass::Timer);
        c->instance_size = 52;
        class_add_handler(c, string_from_cstr("Action"), 1001, reinterpret_cast<void*>(on_action));
        return c;
    }();
    return cls;
}

TimerObject* fields(RuntimeObject* timer) { return reinterpret_cast<TimerObject*>(timer); }
UINT_PTR id_of(RuntimeObject* timer) { return timer_id(fields(timer)); }

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        timer_class_describe();
        timer_system() = {fake_now, fake_request, fake_cancel};
        g_clock = 100000;
        g_actions = 0;
        g_in_action = nullptr;
        g_requests.clear();
        live_at_start_ = RuntimeDebugObjectCount(nullptr);
    }
    void TearDown() override {
        for (RuntimeObject* timer : owned_) RuntimeUnlockObject(timer);
        timer_system() = timer_system_defaults();
        g_in_action = nullptr;
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), live_at_start_);
    }
    RuntimeObject* make(bool with_handler = true) {
        RuntimeObject* timer = object_new(with_handler ? handled_timer_class() : builtin_class(BuiltinClass::Timer));
        owned_.push_back(timer);
        return timer;
    }
    // Armed at the current clock with `mode` and `period`; requests cleared.
    RuntimeObject* armed(std::int16_t mode, std::int32_t period, bool with_handler = true) {
        RuntimeObject* timer = make(with_handler);
        timerPeriodSetter(timer, 0, period);
        timerModeSetter(timer, 0, mode);
        g_requests.clear();
        return timer;
    }
    void message(RuntimeObject* timer, std::uint32_t time) { timer_procedure(timer_window(), WM_TIMER, id_of(timer), time); }

    std::vector<RuntimeObject*> owned_;
    std::int32_t live_at_start_ = 0;
};

TEST_F(Timers, ANewTimerIsOffWithAPeriodOfOneSecondAndAHiddenWindow) {
    RuntimeObject* timer = make();
    EXPECT_EQ(timerModeGetter(timer, 0), 0);
    EXPECT_EQ(timerPeriodGetter(timer, 0), 1000);
    EXPECT_EQ(fields(timer)->last_run, g_clock);
    EXPECT_EQ(fields(timer)->armed, 0u);
    HWND window = timer_window();
    ASSERT_NE(window, nullptr);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "TVTimer");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
    EXPECT_EQ(timer_from_id(id_of(timer)), fields(timer));
}

TEST_F(Timers, PeriodsOfZeroAndBelowStoreOne) {
    const struct {
        std::int32_t value, stored;
    } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {7, 7}, {60000, 60000}};
    RuntimeObject* timer = make();
    for (const auto& c : cases) {
        timerPeriodSetter(timer, 0, c.value);
        EXPECT_EQ(timerPeriodGetter(timer, 0), c.stored) << c.value;
    }
    EXPECT_TRUE(g_requests.empty()) << "an unarmed timer asks for nothing";
}

TEST_F(Timers, SettingTheModeArmsWithThePeriodOrCancels) {
    RuntimeObject* timer = make();
    timerPeriodSetter(timer, 0, 250);
    g_clock += 40;
    timerModeSetter(timer, 0, kTimerMultiple);
    EXPECT_EQ(timerModeGetter(timer, 0), 2);
    EXPECT_EQ(fields(timer)->armed, 1u);
    EXPECT_EQ(fields(timer)->last_run, g_clock);
    g_clock += 40;
    timerModeSetter(timer, 0, kTimerOff);
    EXPECT_EQ(fields(timer)->last_run, g_clock);
    const std::vector<Request> expected = {{id_of(timer), 250}, {id_of(timer), -1}};
    EXPECT_EQ(g_requests, expected);
}

// A repeating timer below the system timer's resolution runs once per whole
// period that passed and asks for 2 x period - elapsed (the period when that
// is negative), elapsed being read after the handlers ran. What is left of a
// period counts towards the next run.
TEST_F(Timers, AFastRepeatingTimerCatchesUp) {
    const struct {
        std::int32_t late;      // message time after the arming
        std::uint32_t elapsed;  // clock after the arming once the handlers ran
        int actions;
        int next;
    } cases[] = {
        {35, 35, 3, 10},  // 20 - 35 is negative: the full period
        {12, 12, 1, 8},
        {15, 18, 1, 2},
        {20, 20, 2, 0},
        {5, 5, 0, 15},
        {-5, 1, 0, 19},  // queued before the arming: nothing due, however unsigned
    };
    for (const auto& c : cases) {
        RuntimeObject* timer = armed(kTimerMultiple, 10);
        const std::uint32_t armed_at = g_clock;
        g_actions = 0;
        g_clock = armed_at + c.elapsed;
        message(timer, armed_at + c.late);
        EXPECT_EQ(g_actions, c.actions) << c.late;
        const std::vector<Request> expected = {{id_of(timer), -1}, {id_of(timer), c.next}};
        EXPECT_EQ(g_requests, expected) << c.late;
        EXPECT_EQ(fields(timer)->last_run, armed_at + 10u * c.actions) << c.late;
        EXPECT_EQ(fields(timer)->armed, 1u);
    }
}

TEST_F(Timers, AHandlerThatStopsOrRetimesTheTimerEndsTheCatchingUp) {
    const struct {
        const char* what;
        int stop_at;  // the action that changes the timer
        std::function<void(RuntimeObject*)> change;
        int actions;
        std::uint32_t armed;
    } cases[] = {
        {"mode 0", 2, [](RuntimeObject* t) { timerModeSetter(t, 0, kTimerOff); }, 2, 0},
        {"mode 1", 1, [](RuntimeObject* t) { timerModeSetter(t, 0, kTimerSingle); }, 1, 0},
        {"period", 1, [](RuntimeObject* t) { timerPeriodSetter(t, 0, 20); }, 1, 0},
    };
    for (const auto& c : cases) {
        RuntimeObject* timer = armed(kTimerMultiple, 10);
        const std::uint32_t armed_at = g_clock;
        g_actions = 0;
        g_in_action = [&](RuntimeObject* t) {
            if (g_actions == c.stop_at) c.change(t);
        };
        g_clock = armed_at + 50;
        message(timer, g_clock);
        g_in_action = nullptr;
        EXPECT_EQ(g_actions, c.actions) << c.what;
        EXPECT_EQ(fields(timer)->armed, c.armed) << c.what;
        // Only what the handler's own change asked for follows the message's cancel.
        ASSERT_GE(g_requests.size(), 2u) << c.what;
        EXPECT_EQ(g_requests[0], (Request{id_of(timer), -1})) << c.what;
        EXPECT_EQ(g_requests.size(), 2u) << c.what;
    }
}

TEST_F(Timers, ASlowRepeatingTimerReArmsBeforeItsHandlerRuns) {
    RuntimeObject* timer = armed(kTimerMultiple, 100);
    std::vector<Request> seen_by_handler;
    g_in_action = [&](RuntimeObject*) { seen_by_handler = g_requests; };
    for (std::uint32_t late : {100u, 250u, 99u}) {
        g_requests.clear();
        g_actions = 0;
        g_clock += late;
        message(timer, g_clock);
        const std::vector<Request> expected = {{id_of(timer), -1}, {id_of(timer), 100}};
        EXPECT_EQ(seen_by_handler, expected) << late;
        EXPECT_EQ(g_requests, expected) << late;
        EXPECT_EQ(g_actions, 1) << "one Action per message, however late";
        EXPECT_EQ(fields(timer)->last_run, g_clock);
    }
}

TEST_F(Timers, ARepeatingTimerWithoutHandlerFiresOnceThenStaysSilent) {
    for (std::int32_t period : {10, 100}) {
        RuntimeObject* timer = armed(kTimerMultiple, period, false);
        g_clock += 35 + period;
        message(timer, g_clock);
        const std::vector<Request> expected = {{id_of(timer), -1}};
        EXPECT_EQ(g_requests, expected) << period;
        EXPECT_EQ(fields(timer)->last_run, g_clock);
        // Setting the period again starts it anew.
        g_requests.clear();
        g_clock += 3;
        timerPeriodSetter(timer, 0, period);
        EXPECT_EQ(g_requests, (std::vector<Request>{{id_of(timer), period - 3}})) << period;
    }
}

TEST_F(Timers, ASingleShotRunsOnceAndDisarms) {
    RuntimeObject* timer = armed(kTimerSingle, 30);
    g_clock += 30;
    message(timer, g_clock);
    EXPECT_EQ(g_actions, 1);
    EXPECT_EQ(fields(timer)->armed, 0u);
    EXPECT_EQ(g_requests, (std::vector<Request>{{id_of(timer), -1}}));
    // Setting the period of a spent shot does not fire it again.
    timerPeriodSetter(timer, 0, 10);
    EXPECT_EQ(g_requests.size(), 1u);
}

// A message already queued when the timer was stopped or destroyed must not
// run its Action.
TEST_F(Timers, AStaleMessageReachesNoHandler) {
    RuntimeObject* stopped = armed(kTimerSingle, 30);
    timerModeSetter(stopped, 0, kTimerOff);
    message(stopped, g_clock + 30);
    EXPECT_EQ(g_actions, 0) << "stopped";

    RuntimeObject* destroyed = object_new(handled_timer_class());
    timerModeSetter(destroyed, 0, kTimerMultiple);
    const UINT_PTR id = id_of(destroyed);
    g_requests.clear();
    RuntimeUnlockObject(destroyed);
    EXPECT_EQ(g_requests, (std::vector<Request>{{id, -1}})) << "destruction cancels";
    EXPECT_EQ(timer_from_id(id), nullptr);
    timer_procedure(timer_window(), WM_TIMER, id, g_clock + 10);
    EXPECT_EQ(g_actions, 0) << "destroyed";
}

// Changing the period of an armed timer counts from its last arming or run.
TEST_F(Timers, ANewPeriodOfAnArmedTimerKeepsItsStart) {
    const struct {
        std::int16_t mode;
        std::int32_t period;
        int next;
    } cases[] = {
        {kTimerSingle, 500, 200},     // the rest of the new period
        {kTimerSingle, 100, 1},       // already over: at once
        {kTimerSingle, 300, 0},       // over right now
        {kTimerMultiple, 500, 200},
        {kTimerMultiple, 100, 100},   // over: a full period from now
    };
    for (const auto& c : cases) {
        RuntimeObject* timer = armed(c.mode, 1000);
        g_clock += 300;
        timerPeriodSetter(timer, 0, c.period);
        EXPECT_EQ(g_requests, (std::vector<Request>{{id_of(timer), c.next}})) << c.mode << " " << c.period;
        // And a single shot re-armed that way still comes.
        if (c.mode == kTimerSingle) {
            g_actions = 0;
            message(timer, g_clock + static_cast<std::uint32_t>(c.next));
            EXPECT_EQ(g_actions, 1);
        }
    }
}

// The handler may drop the last reference: the timer lives until the
// procedure is done with it, then goes and leaves no request behind.
TEST_F(Timers, AHandlerMayDropTheLastReference) {
    const struct {
        std::int16_t mode;
        std::int32_t period;
        std::uint32_t late;
        int actions;
    } cases[] = {{kTimerSingle, 30, 30, 1}, {kTimerMultiple, 100, 100, 1}, {kTimerMultiple, 10, 35, 3}};
    for (const auto& c : cases) {
        RuntimeObject* timer = object_new(handled_timer_class());
        timerPeriodSetter(timer, 0, c.period);
        timerModeSetter(timer, 0, c.mode);
        const UINT_PTR id = id_of(timer);
        const std::int32_t live = RuntimeDebugObjectCount(nullptr);
        std::int32_t refs_inside = 0;
        g_actions = 0;
        g_in_action = [&](RuntimeObject* t) {
            if (g_actions == 1) RuntimeUnlockObject(t);
            refs_inside = t->refs;
        };
        g_requests.clear();
        g_clock += c.late;
        message(timer, g_clock);
        g_in_action = nullptr;
        EXPECT_EQ(g_actions, c.actions) << c.period;
        EXPECT_EQ(refs_inside, 1) << "held by the procedure";
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), live - 1) << c.period;
        EXPECT_EQ(timer_from_id(id), nullptr);
        ASSERT_FALSE(g_requests.empty());
        EXPECT_EQ(g_requests.back(), (Request{id, -1})) << "the last word on it is a cancel";
    }
}

// The property list (Integer values, read from description texts) and the
// export table name the same accessors.
TEST_F(Timers, PropertiesAndExportsNameTheAccessors) {
    const struct {
        const char* name;
        const char* getter_name;
        const char* setter_name;
        void* getter;
        void* setter;
    } cases[] = {
        {"Mode", "timerModeGetter", "timerModeSetter", reinterpret_cast<void*>(timerModeGetter),
         reinterpret_cast<void*>(timerModeSetter)},
        {"Period", "timerPeriodGetter", "timerPeriodSetter", reinterpret_cast<void*>(timerPeriodGetter),
         reinterpret_cast<void*>(timerPeriodSetter)},
    };
    for (const auto& c : cases) {
        const ClassProperty* found = nullptr;
        for (const ClassProperty* p = builtin_class(BuiltinClass::Timer)->properties; p; p = p->next)
            if (_stricmp(string_cstr(p->name), c.name) == 0) found = p;
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_EQ(found->getter, c.getter) << c.name;
        EXPECT_EQ(found->setter, c.setter) << c.name;
        EXPECT_EQ(found->type, &kIntegerType) << c.name;
        EXPECT_EQ(export_lookup_link(c.getter_name), c.getter);
        EXPECT_EQ(export_lookup_link(c.setter_name), c.setter);
    }
}

}  // namespace
