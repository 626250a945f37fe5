#include "window_printing.h"

namespace {

void print_children(HWND parent, HDC dc, LPARAM flags) {
    HWND top = GetWindow(parent, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
        RestoreDC(dc, saved);
    }
}

}  // namespace

void print_window(HWND hwnd, HDC dc, LPARAM flags) {
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return;
    if (flags & PRF_ERASEBKGND) SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (flags & PRF_CLIENT) SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    if (flags & PRF_CHILDREN) print_children(hwnd, dc, flags);
}
