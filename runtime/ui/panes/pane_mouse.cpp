#include "panes/pane_mouse.h"

#include "controls/control_object.h"
#include "panes/pane.h"
#include "panes/pane_events.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

namespace {

// Who holds the capture: a pane, or the window itself (pane null).
struct Capture {
    NativeView* view;
    Pane* pane;
};
Capture g_capture = {nullptr, nullptr};
bool g_right_button = false;
bool g_double_click = false;
NativeView* g_pointer_view = nullptr;  // the view the pointer was last over

// Handlers may close the window; `window` is held by the caller.
bool still_open(RuntimeObject* window, const NativeView* view) {
    return as_window(window)->view == view && !view->closing;
}

void take_capture(NativeView* view, Pane* pane) {
    g_capture = {view, pane};
    if (!pane) view->mouse_captured = 1;
    SetCapture(pane && pane->native ? pane->native : view->hwnd);
}

void let_go() {
    if (g_capture.view) g_capture.view->mouse_captured = 0;
    g_capture = {nullptr, nullptr};
    ReleaseCapture();
}

// True when a pane took the click (and the capture with it).
bool panes_take_click(NativeView* view, RuntimeObject* window, int x, int y, std::int32_t modifiers, bool right) {
    for (Pane* p = last_pane(view); p; p = p->previous) {
        if (!p->live() || !p->contains(x, y)) continue;
        const bool taken = right ? p->right_mouse_down(x, y, modifiers) : p->mouse_down(x, y, modifiers);
        if (!still_open(window, view)) return true;
        if (taken) {
            take_capture(view, p);
            return true;
        }
    }
    return false;
}

bool tracked(const Pane* p) { return p->control && is_rect_control(&p->control->header); }

// The pointer left `view`: its control, then the window, hear MouseExit.
void pointer_left(NativeView* view) {
    RuntimeObject* window = RuntimeLockObject(as_object(view->window));
    for (Pane* p = first_pane(view); p && still_open(window, view); p = p->next) {
        if (!p->mouse_inside) continue;
        p->mouse_inside = 0;
        fire_event(&p->control->header, g_rect_control_events.mouse_exit);
    }
    if (still_open(window, view)) fire_event(window, g_window_events.mouse_exit);
    RuntimeUnlockObject(window);
}

void pointer_over(NativeView* view, bool entered, int x, int y) {
    RuntimeObject* window = RuntimeLockObject(as_object(view->window));
    if (entered) fire_event(window, g_window_events.mouse_enter);
    for (Pane* p = first_pane(view); p && still_open(window, view); p = p->next) {
        if (p->mouse_inside && !(p->live() && p->contains(x, y))) {
            p->mouse_inside = 0;
            fire_event(&p->control->header, g_rect_control_events.mouse_exit);
        }
    }
    for (Pane* p = first_pane(view); p && still_open(window, view); p = p->next) {
        if (!tracked(p) || !p->live() || !p->contains(x, y)) continue;
        RuntimeObject* control = &p->control->header;
        if (!p->mouse_inside) {
            p->mouse_inside = 1;
            fire_event(control, g_rect_control_events.mouse_enter);
            if (!still_open(window, view)) break;
        }
        const bool relative = is_canvas(control);
        fire_point_event(control, g_rect_control_events.mouse_move, relative ? x - p->rect.left : x,
                         relative ? y - p->rect.top : y);
    }
    if (still_open(window, view)) fire_point_event(window, g_window_events.mouse_move, x, y);
    RuntimeUnlockObject(window);
}

}  // namespace

std::int32_t mouse_modifiers(WPARAM flags) {
    std::int32_t m = 0;
    if (flags & MK_CONTROL) m |= kModifierControl;
    if (flags & MK_SHIFT) m |= kModifierShift;
    if (GetKeyState(VK_MENU) < 0) m |= kModifierAlt;
    return m;
}

std::int32_t current_modifiers() {
    std::int32_t m = 0;
    if (GetKeyState(VK_CONTROL) < 0) m |= kModifierControl;
    if (GetKeyState(VK_SHIFT) < 0) m |= kModifierShift;
    if (GetKeyState(VK_MENU) < 0) m |= kModifierAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) m |= kModifierWindows;
    return m;
}

void view_mouse_down(NativeView* view, int x, int y, std::int32_t modifiers, bool right_button) {
    if (view->closing) return;
    if (g_capture.view) let_go();  // a click that never saw its release
    g_right_button = right_button;
    RuntimeObject* window = RuntimeLockObject(as_object(view->window));
    if (!panes_take_click(view, window, x, y, modifiers, right_button) &&
        fire_boolean_point_event(window, g_window_events.mouse_down, x, y) && still_open(window, view))
        take_capture(view, nullptr);
    g_right_button = false;
    RuntimeUnlockObject(window);
}

void view_mouse_move(NativeView* view, int x, int y) {
    if (view->closing) return;
    if (g_capture.view == view) {
        if (g_capture.pane) g_capture.pane->mouse_drag(x, y);
        else fire_point_event(as_object(view->window), g_window_events.mouse_drag, x, y);
        return;
    }
    for (Pane* p = last_pane(view); p; p = p->previous) {
        if (!p->live() || !p->contains(x, y)) continue;
        p->mouse_move(x, y);
        return;
    }
}

void view_mouse_up(NativeView* view, int x, int y) {
    if (g_capture.view != view) return;
    Pane* pane = g_capture.pane;
    let_go();
    if (view->closing) return;
    if (pane) pane->mouse_up(x, y);
    else fire_point_event(as_object(view->window), g_window_events.mouse_up, x, y);
}

bool mouse_right_button() { return g_right_button; }
bool mouse_double_click() { return g_double_click; }
void mouse_double_click_set(bool on) { g_double_click = on; }

bool mouse_tracking() { return g_capture.view != nullptr; }

void mouse_track(POINT cursor) {
    NativeView* view = view_containing(WindowFromPoint(cursor));
    if (g_pointer_view && g_pointer_view != view) {
        NativeView* left = g_pointer_view;
        g_pointer_view = nullptr;
        if (!left->closing) pointer_left(left);
    }
    if (!view || view->closing) return;
    const bool entered = g_pointer_view != view;
    g_pointer_view = view;
    POINT at = cursor;
    ScreenToClient(view->hwnd, &at);
    pointer_over(view, entered, at.x, at.y);
}

void mouse_forget_view(NativeView* view) {
    if (g_capture.view == view) let_go();
    if (g_pointer_view == view) g_pointer_view = nullptr;
}
