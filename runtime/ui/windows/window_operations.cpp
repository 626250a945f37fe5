#include "windows/window_operations.h"

#include <windows.h>

#include "startup/main_loop.h"
#include "startup/ui_services.h"
#include "windows/full_screen.h"
#include "windows/mdi_frame.h"
#include "windows/native_view.h"

namespace {

NativeView* view(RuntimeObject* window) { return window ? as_window(window)->view : nullptr; }

struct ZOrderSearch {
    std::int32_t wanted;  // counts down to the window searched for
    NativeView* found;
};

BOOL CALLBACK count_views(HWND hwnd, LPARAM p) {
    auto* search = reinterpret_cast<ZOrderSearch*>(p);
    NativeView* v = view_of(hwnd);
    if (!v || !v->window) return TRUE;
    if (search->wanted-- == 0) {
        search->found = v;
        return FALSE;
    }
    return TRUE;
}

// Top-level windows of this thread front to back, then MDI children.
NativeView* view_in_z_order(std::int32_t n) {
    ZOrderSearch search = {n, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), count_views, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        if (HWND client = ui_services().mdi_client()) EnumChildWindows(client, count_views, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

extern "C" {

void RuntimeShowWindow(RuntimeObject* window) {
    if (!window) return;
    as_window(window)->visible = 1;
    NativeView* v = view(window);
    if (!v) return;
    v->shown = 1;
    ShowWindow(v->hwnd, SW_SHOWNORMAL);
    SetWindowPos(v->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (v->mdi_child) mdi_child_activate(v->hwnd);
    else SetForegroundWindow(v->hwnd);
    if (as_window(window)->full_screen) full_screen_enter(v);
}

void RuntimeHideWindow(RuntimeObject* window) {
    if (!window) return;
    as_window(window)->visible = 0;
    NativeView* v = view(window);
    if (!v || !v->shown) return;
    ShowWindow(v->hwnd, SW_HIDE);
    v->shown = 0;
}

void RuntimeCloseWindow(RuntimeObject* window) {
    if (NativeView* v = view(window)) view_request_close(v);
}

void RuntimeShowModal(RuntimeObject* window) {
    if (!window) return;
    // The caller's reference keeps the window object alive meanwhile.
    RuntimeShowWindow(window);
    for (;;) {
        NativeView* v = view(window);
        if (!v || !v->shown || main_loop_quitting()) break;
        main_loop_pass();
    }
}

std::int32_t getWindowCount() { return static_cast<std::int32_t>(runtime_view_count()); }

RuntimeObject* getWindow(std::int32_t n) {
    if (n < 0) return nullptr;
    NativeView* v = view_in_z_order(n);
    return v ? RuntimeLockObject(as_object(v->window)) : nullptr;
}

void RuntimeBeep() { MessageBeep(0); }

}  // extern "C"
