#include "objects/runtime_lock.h"

#include <windows.h>

namespace {
CRITICAL_SECTION g_lock;
bool g_initialised = false;
}  // namespace

void runtime_lock_init() {
    if (g_initialised) return;
    InitializeCriticalSection(&g_lock);
    g_initialised = true;
}

void runtime_lock_enter() {
    if (!g_initialised) runtime_lock_init();
    EnterCriticalSection(&g_lock);
}

void runtime_lock_leave() { LeaveCriticalSection(&g_lock); }
