// The Timer class as the rest of the runtime sees it: its event, its
// constructor and destructor, and its property list.
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"
#include "timer/timer.h"

TimerEvents g_timer_events;

namespace {

const EventTableRow kRows[] = {
    {0, "Action", "", "", 0, &g_timer_events.action},
};

struct PropertyRow {
    const char* name;
    void* getter;
    void* setter;
};

template <typename F>
void* code(F* f) {
    return reinterpret_cast<void*>(f);
}

bool g_described = false;

}  // namespace

const EventTable kTimerEventTable = {kRows, sizeof kRows / sizeof kRows[0]};

void timer_class_describe() {
    if (g_described) return;
    g_described = true;
    RuntimeClass* cls = builtin_class(BuiltinClass::Timer);
    cls->constructor = timer_construct;
    cls->destructor = timer_destruct;
    // Both are Integer values; their type record comes with the window
    // descriptions that place timers.
    const PropertyRow rows[] = {
        {"Mode", code(timerModeGetter), code(timerModeSetter)},
        {"Period", code(timerPeriodGetter), code(timerPeriodSetter)},
    };
    for (const PropertyRow& row : rows) {
        ClassProperty* p = class_add_property(cls, string_from_cstr(row.name));
        p->getter = row.getter;
        p->setter = row.setter;
    }
}
