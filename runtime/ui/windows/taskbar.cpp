#include "windows/taskbar.h"

#include <windows.h>

namespace {

HWND g_hidden = nullptr;

// Runs when the process ends through ExitProcess or a return from main, as
// the loader calls every thread-local-storage callback on process detach.
void NTAPI show_taskbar_at_exit(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_PROCESS_DETACH) taskbar_show_again();
}

}  // namespace

extern "C" {
// The C runtime's TLS directory lists the callbacks in sections .CRT$XL?.
__attribute__((section(".CRT$XLT"), used)) const PIMAGE_TLS_CALLBACK g_taskbar_exit_callback = show_taskbar_at_exit;
}

void taskbar_hide() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) return;
    ShowWindow(taskbar, SW_HIDE);
    g_hidden = taskbar;
}

void taskbar_show_again() {
    if (!g_hidden) return;
    if (IsWindow(g_hidden)) ShowWindow(g_hidden, SW_SHOWNOACTIVATE);
    g_hidden = nullptr;
}
