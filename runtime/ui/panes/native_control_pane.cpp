#include "panes/native_control_pane.h"

#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "panes/pane_routing.h"

namespace {

constexpr const char* kInstance = "TVInstance";

bool is_button_down(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK:
            return true;
        default: return false;
    }
}

bool is_double(UINT message) {
    return message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_NCLBUTTONDBLCLK ||
           message == WM_NCRBUTTONDBLCLK;
}

bool is_non_client(UINT message) { return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK; }

}  // namespace

NativeControlPane* native_control_pane_of(HWND hwnd) {
    return hwnd ? static_cast<NativeControlPane*>(GetPropA(hwnd, kInstance)) : nullptr;
}

void NativeControlPane::command(int) {}
LRESULT NativeControlPane::notify(NMHDR*) { return 0; }
void NativeControlPane::horizontal_scroll(int) {}
void NativeControlPane::vertical_scroll(int) {}
void NativeControlPane::owner_draw(DRAWITEMSTRUCT*) {}

LRESULT NativeControlPane::subclassed_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
    if (is_button_down(message) || message == WM_MOUSEMOVE) {
        // Client messages carry client points, non-client ones screen points.
        POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        if (is_non_client(message)) ScreenToClient(owner->hwnd, &at);
        else MapWindowPoints(native, owner->hwnd, &at, 1);
        if (message == WM_MOUSEMOVE) {
            mouse_move(at.x, at.y);
        } else if (live()) {
            const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ||
                               message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONDBLCLK;
            HWND hwnd = native;
            mouse_double_click_set(is_double(message));
            const std::int32_t modifiers = is_non_client(message) ? current_modifiers() : mouse_modifiers(wparam);
            right ? right_mouse_down(at.x, at.y, modifiers) : mouse_down(at.x, at.y, modifiers);
            mouse_double_click_set(false);
            // A handler that closed the window took the pane with it.
            if (!IsWindow(hwnd) || native_control_pane_of(hwnd) != this) return 0;
        }
    } else if (message == WM_SETFOCUS) {
        if (accepts_focus()) focus_set(this);
    }
    return previous(message, wparam, lparam);
}

LRESULT CALLBACK NativeControlPane::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    NativeControlPane* pane = native_control_pane_of(hwnd);
    if (!pane) return DefWindowProcA(hwnd, message, wparam, lparam);
    LRESULT routed = 0;
    // Controls inside a group box report to the box's window.
    if (panes_route_notification(message, wparam, lparam, routed)) return routed;
    if (message == WM_NCDESTROY) {
        WNDPROC before = pane->previous_procedure_;
        pane->detach(hwnd);
        return CallWindowProcA(before, hwnd, message, wparam, lparam);
    }
    return pane->subclassed_procedure(message, wparam, lparam);
}

HWND NativeControlPane::make_native(const PaneCreation& how, HWND parent, const RECT& in_parent) {
    HWND hwnd = Pane::make_native(how, parent, in_parent);
    if (!hwnd) return nullptr;
    SetPropA(hwnd, kInstance, this);
    previous_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControlPane::procedure)));
    return hwnd;
}

void NativeControlPane::detach(HWND hwnd) {
    if (native_control_pane_of(hwnd) != this) return;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_procedure_));
    RemovePropA(hwnd, kInstance);
    native = nullptr;
}

void NativeControlPane::close() {
    HWND hwnd = native;
    native = nullptr;
    if (!hwnd || !IsWindow(hwnd)) return;
    detach(hwnd);
    DestroyWindow(hwnd);
}
