#include "windows/mdi_frame.h"

#include "menus/menu_passes.h"
#include "startup/process.h"
#include "startup/ui_services.h"
#include "strings/runtime_string.h"
#include "windows/full_screen.h"
#include "windows/native_view.h"
#include "windows/window_procedure.h"

namespace {

HWND g_frame = nullptr;
HWND g_client = nullptr;
RECT g_before_full_screen;  // the frame's place outside full-screen mode
bool g_full_screen = false;

// Above the menu items' command ids, so the client's window list never
// takes one of theirs.
constexpr UINT kFirstChildId = 0xFF00;
constexpr UINT kClientId = 1;

LRESULT CALLBACK frame_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE: {
            // As a quit would: every document window may refuse first.
            UiServices& ui = ui_services();
            if (ui.any_window_cancels_close()) return 0;
            ui.close_all_windows();
            DestroyWindow(hwnd);
            return 0;
        }
        case WM_DESTROY:
            g_frame = g_client = nullptr;
            // Nothing else would ever end the main loop.
            PostQuitMessage(0);
            return 0;
        case WM_MOUSEACTIVATE:
            if (modal_window_visible(nullptr)) {
                MessageBeep(0);
                return MA_NOACTIVATEANDEAT;
            }
            break;
        case WM_INITMENU: menus_enable_pass(); return 0;
        case WM_COMMAND:
            if (lparam == 0 && menus_perform(LOWORD(wparam))) return 0;
            break;
        default: break;
    }
    return DefFrameProcA(hwnd, g_client, message, wparam, lparam);
}

void register_classes() {
    HICON icon = LoadIconA(process_instance(), MAKEINTRESOURCEA(102));
    WNDCLASSA frame = {};
    frame.lpfnWndProc = frame_procedure;
    frame.hInstance = process_instance();
    frame.hIcon = icon;
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = "TV_MDIFRAME";
    RegisterClassA(&frame);
    // Document windows are views like "TVWindow"s: the view in slot 0.
    WNDCLASSA child = {};
    child.style = CS_HREDRAW | CS_VREDRAW;
    child.lpfnWndProc = mdi_child_procedure;
    child.cbWndExtra = 4;
    child.hInstance = process_instance();
    child.hIcon = icon;
    child.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    child.lpszClassName = "TV_MDICHILD";
    RegisterClassA(&child);
}

}  // namespace

bool mdi_frame_create(RuntimeString* title, int width, int height) {
    if (g_frame) return true;
    register_classes();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer = {0, 0, width, height};
    AdjustWindowRect(&outer, style, application_menu_bar() != nullptr);
    HWND frame = CreateWindowExA(0, "TV_MDIFRAME", string_cstr(title), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 outer.right - outer.left, outer.bottom - outer.top, nullptr, application_menu_bar(),
                                 process_instance(), nullptr);
    if (!frame) return false;
    CLIENTCREATESTRUCT client = {nullptr, kFirstChildId};
    // All child styles: a document window keeps the style of its frame type.
    g_client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                               WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE | MDIS_ALLCHILDSTYLES,
                               0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kClientId)),
                               process_instance(), &client);
    if (!g_client) {
        DestroyWindow(frame);
        return false;
    }
    g_frame = frame;
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    return true;
}

HWND mdi_frame() { return g_frame; }
HWND mdi_client() { return g_client; }

HWND mdi_child_create(const char* title, DWORD style, int width, int height) {
    if (!g_client) return nullptr;
    return CreateMDIWindowA("TV_MDICHILD", title, style & ~WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                            g_client, process_instance(), 0);
}

void mdi_child_destroy(HWND child) {
    if (g_client) SendMessageA(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    else DestroyWindow(child);
}

void mdi_child_activate(HWND child) {
    if (g_client) SendMessageA(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
}

void mdi_frame_full_screen(bool on) {
    if (!g_frame || on == g_full_screen) return;
    g_full_screen = on;
    const LONG style = GetWindowLongA(g_frame, GWL_STYLE);
    if (on) {
        GetWindowRect(g_frame, &g_before_full_screen);
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        GetMonitorInfoA(MonitorFromWindow(g_frame, MONITOR_DEFAULTTONEAREST), &info);
        SetWindowLongA(g_frame, GWL_STYLE, style & ~kFramedStyles);
        const RECT& screen = info.rcMonitor;
        SetWindowPos(g_frame, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
    } else {
        SetWindowLongA(g_frame, GWL_STYLE, style | kFramedStyles);
        const RECT& r = g_before_full_screen;
        SetWindowPos(g_frame, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
    }
}
