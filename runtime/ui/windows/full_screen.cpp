#include "windows/full_screen.h"

#include <windows.h>

#include "windows/mdi_frame.h"
#include "windows/native_view.h"

namespace {


// Frame, caption and menu bar that stay around the client area.
RECT insets(const NativeView* view) {
    const WindowObject* w = view->window;
    RECT in = {0, 0, 0, 0};
    if (w->frame != 4) {
        const int fx = GetSystemMetrics(SM_CXFRAME);
        const int fy = GetSystemMetrics(w->grow_icon ? SM_CYFRAME : SM_CYDLGFRAME);
        const int caption = GetSystemMetrics(w->frame == 3 ? SM_CYSMCAPTION : SM_CYCAPTION);
        in = {fx, fy + caption, fx, fy};
    }
    if (view_has_menu(view)) in.top += GetSystemMetrics(SM_CYMENU);
    return in;
}

// The resize that follows moves the locked controls.
void place(NativeView* view, const ShortRect& rect) {
    view->window->rect = rect;
    view->client = rect;
    view_apply_client_rect(view);
}

}  // namespace

void full_screen_enter(NativeView* view) {
    WindowObject* w = view->window;
    w->before_full_screen = w->rect;
    if (view->mdi_child) {
        mdi_frame_full_screen(true);
        return;
    }
    RECT now = {w->rect.left, w->rect.top, w->rect.right, w->rect.bottom};
    // MONITOR_DEFAULTTONEAREST picks the monitor of the largest intersection.
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST), &info);
    SetWindowLongA(view->hwnd, GWL_STYLE, GetWindowLongA(view->hwnd, GWL_STYLE) & ~kFramedStyles);
    const RECT in = insets(view);
    const RECT& screen = info.rcMonitor;
    place(view, {static_cast<std::int16_t>(screen.top + in.top), static_cast<std::int16_t>(screen.left + in.left),
                 static_cast<std::int16_t>(screen.bottom - in.bottom),
                 static_cast<std::int16_t>(screen.right - in.right)});
}

void full_screen_leave(NativeView* view) {
    WindowObject* w = view->window;
    if (view->mdi_child) {
        mdi_frame_full_screen(false);
        return;
    }
    LONG style = GetWindowLongA(view->hwnd, GWL_STYLE);
    style |= (view->style == 2 || view->style == 4 || view->style == 5 || view->style == 7) ? 0 : WS_CAPTION;
    if (w->grow_icon) style |= WS_THICKFRAME;
    SetWindowLongA(view->hwnd, GWL_STYLE, style);
    place(view, w->before_full_screen);
}
