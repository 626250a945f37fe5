// The Timer class as the rest of the runtime sees it: its event, its
// constructor and destructor, and its property list.
#include "descriptions/property_tables.h"
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "timer/timer.h"

TimerEvents g_timer_events;

namespace {

const EventTableRow kEventRows[] = {
    {0, "Action", "", "", 0, &g_timer_events.action},
};

constexpr BuiltinClass kValue = BuiltinClass::Count;  // not an object property

const PropertyRow kPropertyRows[] = {
    {0, "Mode", &kIntegerType, kValue, as_getter(timerModeGetter), as_setter(timerModeSetter), 0},
    {0, "Period", &kIntegerType, kValue, as_getter(timerPeriodGetter), as_setter(timerPeriodSetter), 0},
};

bool g_described = false;

}  // namespace

const EventTable kTimerEventTable = {kEventRows, sizeof kEventRows / sizeof kEventRows[0]};

void timer_class_describe() {
    if (g_described) return;
    g_described = true;
    RuntimeClass* cls = builtin_class(BuiltinClass::Timer);
    cls->constructor = timer_construct;
    cls->destructor = timer_destruct;
    property_table_install(BuiltinClass::Timer, kPropertyRows);
}
