#include "layer/ui_thread.h"

#include <windows.h>

namespace {
DWORD g_thread = 0;
}

void ui_thread_remember() { g_thread = GetCurrentThreadId(); }

bool on_ui_thread() { return g_thread == 0 || g_thread == GetCurrentThreadId(); }
