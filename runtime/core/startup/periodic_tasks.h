// The periodic task list: objects with a period and the time of their last
// run, served by the main loop and by RuntimeBackgroundTask. Time is in
// ticks of 16 ms.
#pragma once

#include <cstdint>

struct PeriodicTask {
    PeriodicTask* next;
    std::uint32_t period;    // ticks
    std::uint32_t last_run;  // ticks
    void (*action)(PeriodicTask* task);
};

std::uint32_t runtime_ticks_now();
void periodic_task_add(PeriodicTask* task);
void periodic_task_remove(PeriodicTask* task);
bool periodic_tasks_pending();
void timer_service();

extern "C" void RuntimeBackgroundTask();
