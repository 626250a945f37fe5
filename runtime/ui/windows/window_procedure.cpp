// "TVWindow" and "TV_MDICHILD": native messages of a view become the
// window's events.
#include "windows/window_procedure.h"

#include "objects/code_lookup.h"
#include "drawing/graphics.h"
#include "drawing/picture.h"
#include "drawing/picture_entry_points.h"
#include "drawing/window_printing.h"
#include "menus/menu_bar.h"
#include "menus/menu_passes.h"
#include "objects/builtin_classes.h"
#include "panes/mouse_cursors.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "panes/pane_routing.h"
#include "windows/application_palette.h"
#include "windows/native_view.h"
#include "windows/taskbar.h"
#include "windows/view_layout.h"
#include "windows/window_events.h"

namespace {

RuntimeObject* object_of(NativeView* view) { return as_object(view->window); }

COLORREF native_colour(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

LRESULT erase_background(NativeView* view, HDC dc) {
    RECT client;
    GetClientRect(view->hwnd, &client);
    if (view->has_back_colour) {
        HBRUSH brush = CreateSolidBrush(native_colour(view->back_colour));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    return 1;
}

void draw_backdrop(const WindowObject* window, HDC dc) {
    RuntimeObject* picture = window->backdrop;
    if (!picture || !object_isa(picture, builtin_class(BuiltinClass::Picture))) return;
    const RECT whole = {0, 0, pictureWidthGetter(picture, 0), pictureHeightGetter(picture, 0)};
    picture_draw(picture, dc, whole, whole);
}

// Panes without a window of their own draw into the window's, in list
// order: later ones lie in front.
void draw_panes(NativeView* view, HDC dc) {
    for (Pane* p = first_pane(view); p; p = p->next)
        if (!p->native) p->draw(dc);
}

// The client area's content: the backdrop, Paint, the panes without a
// window of their own.
void draw_client(HWND hwnd, NativeView* view, HDC dc) {
    HDC outer_dc = view->paint_dc;
    view->paint_dc = dc;
    SetTextAlign(dc, TA_BASELINE);
    // The Paint handler may close the window: the view goes, the object
    // stays until the end of this message.
    RuntimeObject* window = RuntimeLockObject(object_of(view));
    draw_backdrop(as_window(window), dc);
    if (event_lookup(window, g_window_events.paint)) {
        RECT client;
        GetClientRect(hwnd, &client);
        RuntimeObject* g = graphics_for_dc(dc, client.right, client.bottom);
        fire_object_event(window, g_window_events.paint, g);
        // The Graphics must not outlive this context.
        graphics_detach(g);
        RuntimeUnlockObject(g);
    }
    if (as_window(window)->view == view) {
        draw_panes(view, dc);
        view->paint_dc = outer_dc;
    }
    RuntimeUnlockObject(window);
}

void paint(HWND hwnd, NativeView* view) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HPALETTE old = application_palette_select(dc);
    draw_client(hwnd, view, dc);
    if (old) SelectPalette(dc, old, FALSE);
    EndPaint(hwnd, &ps);
}

// The window comes to the front: its colours come first.
LRESULT realize_palette(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HPALETTE old = application_palette_select(dc);
    if (old) SelectPalette(dc, old, FALSE);
    ReleaseDC(hwnd, dc);
    return 1;
}

void activated(NativeView* view, bool on) {
    view->active = on;
    RuntimeObject* window = RuntimeLockObject(object_of(view));
    if (on) {
        menu_bar_show(view, view->window->menu_bar_visible);
        fire_event(window, g_window_events.activate);
        if (as_window(window)->view == view && !view->closing) focus_window_activated(view);
    } else {
        if (!view->closing) focus_window_deactivated(view);
        if (as_window(window)->view == view) fire_event(window, g_window_events.deactivate);
    }
    RuntimeUnlockObject(window);
}

// The taskbar hides while the application is active in a window without
// menu bar, and comes back when it is not.
void application_activated(bool on) {
    // The foreground window is already the new one when this arrives.
    NativeView* view = view_of(GetForegroundWindow());
    if (!view) view = view_of(GetActiveWindow());
    if (on && view && !view->window->menu_bar_visible) taskbar_hide();
    else if (!on) taskbar_show_again();
}

LRESULT mouse_activate(HWND hwnd, WPARAM wparam, LPARAM lparam) {
    if (modal_window_visible(hwnd) && !view_of(hwnd)->modal) {
        MessageBeep(0);
        return MA_NOACTIVATEANDEAT;
    }
    return DefWindowProcA(hwnd, WM_MOUSEACTIVATE, wparam, lparam);
}

// Check boxes and other native controls that draw on their parent's
// background take the window's back colour, not the system face.
LRESULT control_background(NativeView* view, HDC dc) {
    const COLORREF colour = native_colour(view->back_colour);
    SetBkColor(dc, colour);
    SetDCBrushColor(dc, colour);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

POINT point_of(LPARAM lparam) { return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))}; }

// The messages of a view, for "TVWindow" and "TV_MDICHILD" alike; `fallback`
// is the class's default procedure.
LRESULT view_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC fallback) {
    NativeView* view = view_of(hwnd);
    if (!view) return fallback(hwnd, message, wparam, lparam);
    LRESULT routed = 0;
    if (panes_route_notification(message, wparam, lparam, routed)) return routed;
    // A document window's client also needs to see its sizes and moves.
    const bool child = view->mdi_child;
    switch (message) {
        case WM_CLOSE: view_request_close(view); return 0;
        case WM_DESTROY: view_native_destroyed(view); return 0;
        case WM_ERASEBKGND: return erase_background(view, reinterpret_cast<HDC>(wparam));
        case WM_PAINT: paint(hwnd, view); return 0;
        case WM_QUERYNEWPALETTE: return realize_palette(hwnd);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (view->has_back_colour) return control_background(view, reinterpret_cast<HDC>(wparam));
            break;
        case WM_PRINT: print_window(hwnd, reinterpret_cast<HDC>(wparam), lparam); return 0;
        case WM_PRINTCLIENT: draw_client(hwnd, view, reinterpret_cast<HDC>(wparam)); return 0;
        case WM_SIZE:
            if (wparam != SIZE_MINIMIZED) view_resize(view);
            if (child) break;
            return 0;
        case WM_MOVE:
            view_moved(view);
            if (child) break;
            return 0;
        case WM_SIZING: view_limit_sizing(view, wparam, reinterpret_cast<RECT*>(lparam)); return TRUE;
        case WM_ACTIVATE:
            activated(view, LOWORD(wparam) != WA_INACTIVE);
            return 0;
        case WM_MDIACTIVATE:
            activated(view, reinterpret_cast<HWND>(lparam) == hwnd);
            return 0;
        case WM_INITMENU: menus_enable_pass(); return 0;
        case WM_COMMAND:
            // Commands with a control handle went to its pane above.
            if (menus_perform(LOWORD(wparam))) return 0;
            break;
        case WM_ACTIVATEAPP: application_activated(wparam != 0); return 0;
        case WM_MOUSEACTIVATE: return mouse_activate(hwnd, wparam, lparam);
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT && mouse_cursor_apply(view)) return TRUE;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const POINT at = point_of(lparam);
            view_mouse_down(view, at.x, at.y, mouse_modifiers(wparam), message == WM_RBUTTONDOWN);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const POINT at = point_of(lparam);
            view_mouse_move(view, at.x, at.y);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const POINT at = point_of(lparam);
            view_mouse_up(view, at.x, at.y);
            return 0;
        }
        default: break;
    }
    return fallback(hwnd, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return view_procedure(hwnd, message, wparam, lparam, DefWindowProcA);
}

LRESULT CALLBACK mdi_child_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return view_procedure(hwnd, message, wparam, lparam, DefMDIChildProcA);
}
