#include "startup/periodic_tasks.h"

#include <windows.h>

#include "startup/ui_services.h"

namespace {
PeriodicTask* g_tasks = nullptr;
DWORD g_last_background_tick = 0;

bool listed(const PeriodicTask* task) {
    for (const PeriodicTask* t = g_tasks; t; t = t->next) {
        if (t == task) return true;
    }
    return false;
}
}  // namespace

std::uint32_t runtime_ticks_now() { return GetTickCount() >> 4; }

void periodic_task_add(PeriodicTask* task) {
    if (listed(task)) return;
    task->next = nullptr;
    PeriodicTask** end = &g_tasks;
    while (*end) end = &(*end)->next;
    *end = task;
}

void periodic_task_remove(PeriodicTask* task) {
    for (PeriodicTask** link = &g_tasks; *link; link = &(*link)->next) {
        if (*link == task) {
            *link = task->next;
            return;
        }
    }
}

bool periodic_tasks_pending() { return g_tasks != nullptr; }

void timer_service() {
    std::uint32_t now = runtime_ticks_now();
    // The next entry is read first: an action may remove its own task.
    for (PeriodicTask *task = g_tasks, *next; task; task = next) {
        next = task->next;
        if (now - task->last_run >= task->period) {
            task->action(task);
            // The period counts from the end of the run. An action that
            // removed its task may have freed it as well.
            if (listed(task)) task->last_run = runtime_ticks_now();
        }
    }
}

extern "C" void RuntimeBackgroundTask() {
    DWORD tick = GetTickCount();
    if (tick == g_last_background_tick) return;
    g_last_background_tick = tick;
    timer_service();
    ui_services().refresh_windows();
    g_last_background_tick = GetTickCount();
}
