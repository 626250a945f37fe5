#include "panes/pane_procedure.h"

#include "drawing/window_printing.h"
#include "panes/pane.h"
#include "panes/pane_mouse.h"
#include "panes/pane_routing.h"

namespace {

// The message's point in the coordinates of the pane's window.
POINT in_window(const Pane* pane, HWND hwnd, LPARAM lparam) {
    POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    MapWindowPoints(hwnd, pane->owner->hwnd, &at, 1);
    return at;
}

void paint(HWND hwnd, Pane* pane) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    pane->draw(dc);
    EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT CALLBACK pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* pane = reinterpret_cast<Pane*>(GetWindowLongPtrA(hwnd, 0));
    if (!pane) return DefWindowProcA(hwnd, message, wparam, lparam);
    LRESULT routed = 0;
    if (panes_route_notification(message, wparam, lparam, routed)) return routed;
    switch (message) {
        case WM_PAINT: paint(hwnd, pane); return 0;
        case WM_PRINT: print_window(hwnd, reinterpret_cast<HDC>(wparam), lparam); return 0;
        case WM_PRINTCLIENT: pane->draw(reinterpret_cast<HDC>(wparam)); return 0;
        case WM_ERASEBKGND: return 1;  // the pane's draw covers its area
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const POINT at = in_window(pane, hwnd, lparam);
            view_mouse_down(pane->owner, at.x, at.y, mouse_modifiers(wparam), message == WM_RBUTTONDOWN);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const POINT at = in_window(pane, hwnd, lparam);
            view_mouse_move(pane->owner, at.x, at.y);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const POINT at = in_window(pane, hwnd, lparam);
            view_mouse_up(pane->owner, at.x, at.y);
            return 0;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, 0, 0);
            pane->native = nullptr;
            break;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}
