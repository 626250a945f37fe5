#include "windows/taskbar.h"

#include <windows.h>

#include "objects/final_release.h"

namespace {

HWND g_hidden = nullptr;
bool g_registered = false;

// The runtime's own ends (the main loop's, an unhandled exception's) run
// the final-release list.
void show_at_final_release(void*) {
    g_registered = false;
    taskbar_show_again();
}

// Every other end through ExitProcess: the loader calls the
// thread-local-storage callbacks on process detach (Windows does; some
// hosts skip them for the program itself).
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
    if (!g_registered) final_release_add(show_at_final_release, nullptr);
    g_registered = true;
}

void taskbar_show_again() {
    if (!g_hidden) return;
    // Posted: the taskbar belongs to another process, and at process exit
    // nothing here may wait for it.
    if (IsWindow(g_hidden)) ShowWindowAsync(g_hidden, SW_SHOWNOACTIVATE);
    g_hidden = nullptr;
}
