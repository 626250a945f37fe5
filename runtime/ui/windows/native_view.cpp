#include "windows/native_view.h"

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "drawing/picture.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "panes/balloon_help.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "startup/process.h"
#include "startup/project_settings.h"
#include "layer/ui_thread.h"
#include "strings/runtime_string.h"
#include "windows/mdi_frame.h"
#include "windows/taskbar.h"
#include "windows/view_layout.h"
#include "windows/window_events.h"
#include "windows/window_procedure.h"
#include "windows/window_styles.h"

namespace {

NativeView* g_views = nullptr;
NativeView* g_runtime_views = nullptr;
NativeView* g_menu_bar_owner = nullptr;
HMENU g_menu_bar = nullptr;
std::uint32_t g_view_removals = 0;  // views destroyed so far

// The native windows of modal frame types, in creation order.
constexpr int kModalCapacity = 64;
HWND g_modal[kModalCapacity];
int g_modal_count = 0;

void modal_add(HWND hwnd) {
    if (g_modal_count < kModalCapacity) g_modal[g_modal_count++] = hwnd;
}

void modal_remove(HWND hwnd) {
    for (int i = 0; i < g_modal_count; ++i) {
        if (g_modal[i] != hwnd) continue;
        for (int j = i + 1; j < g_modal_count; ++j) g_modal[j - 1] = g_modal[j];
        --g_modal_count;
        return;
    }
}

template <typename Link>
void unlink(NativeView*& head, NativeView* view, Link link) {
    for (NativeView** at = &head; *at; at = &((*at)->*link)) {
        if (*at == view) {
            *at = view->*link;
            return;
        }
    }
}

RECT outer_rect(const NativeView* view, DWORD style, DWORD ex_style, bool menu) {
    RECT r = {view->client.left, view->client.top, view->client.right, view->client.bottom};
    AdjustWindowRectEx(&r, style, menu, ex_style);
    return r;
}

// Steps 3-4 of closing: the controls go, then the view.
void release_controls(WindowObject* window) {
    ControlDictionary* controls = window->controls;
    if (!controls) return;
    window->controls = nullptr;
    for (DictionaryEntry* e = controls->first; e; e = e->order_next) {
        RuntimeObject* control = e->control;
        e->control = nullptr;
        RuntimeUnlockObject(control);
    }
    control_dictionary_free(controls);
}

void destroy_view(NativeView* view, bool native_gone) {
    WindowObject* window = view->window;
    panes_close_all(view);
    release_controls(window);
    unlink(g_runtime_views, view, &NativeView::next_runtime_view);
    window->view = nullptr;
    if (g_menu_bar_owner == view) {
        if (!native_gone) SetMenu(view->hwnd, nullptr);
        g_menu_bar_owner = nullptr;
    }
    HWND hwnd = view->hwnd;
    SetWindowLongPtrA(hwnd, 0, 0);
    if (!native_gone) {
        if (view->mdi_child) mdi_child_destroy(hwnd);
        else DestroyWindow(hwnd);
    }
    modal_remove(hwnd);
    RuntimeObject** slot = view->instance_slot;
    if (slot) {
        RuntimeObject* held = *slot;
        *slot = nullptr;
        RuntimeUnlockObject(held);
    }
    unlink(g_views, view, &NativeView::next_view);
    ++g_view_removals;
    // Without windows the program is ending; the loader's exit callback
    // comes too late for the window system on some hosts.
    if (!g_runtime_views) taskbar_show_again();
    RuntimeUnlockString(view->title);
    runtime_free(view, sizeof *view);
    RuntimeUnlockObject(as_object(window));
}

// Brings one view's place and size in line and shows it; false when a
// handler closed a window meanwhile.
bool walk_one(NativeView* view) {
    const std::uint32_t removals = g_view_removals;
    if (!IsIconic(view->hwnd) && !IsZoomed(view->hwnd)) {
        RECT client;
        GetClientRect(view->hwnd, &client);
        const POINT origin = view_client_origin(view);
        const ShortRect& wanted = view->client;
        const bool moved = origin.x != wanted.left || origin.y != wanted.top;
        const bool sized = client.right != wanted.right - wanted.left || client.bottom != wanted.bottom - wanted.top;
        if (moved || sized) view_apply_client_rect(view);
        else if (view->deferred_resize) view_resize(view);
    }
    if (removals != g_view_removals) return false;
    if (view->shown && !IsWindowVisible(view->hwnd)) {
        ShowWindow(view->hwnd, SW_SHOW);
        if (view->mdi_child) mdi_child_activate(view->hwnd);
    }
    return removals == g_view_removals;
}

}  // namespace

// Other classes keep their own data in slot 0 (tooltips, dialogs).
NativeView* view_of(HWND hwnd) {
    if (!hwnd) return nullptr;
    const auto procedure = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    if (procedure != window_procedure && procedure != mdi_child_procedure) return nullptr;
    return reinterpret_cast<NativeView*>(GetWindowLongPtrA(hwnd, 0));
}
NativeView* views_first() { return g_views; }
NativeView* runtime_views_first() { return g_runtime_views; }

std::uint32_t runtime_view_count() {
    std::uint32_t n = 0;
    for (NativeView* v = g_runtime_views; v; v = v->next_runtime_view) ++n;
    return n;
}

HMENU application_menu_bar() { return g_menu_bar; }
void application_menu_bar_set(HMENU menu) { g_menu_bar = menu; }

HWND view_owner_for_new_window() {
    if (g_modal_count > 0) {
        for (int i = 0; i < g_modal_count; ++i)
            if (IsWindowVisible(g_modal[i])) return g_modal[i];
        return nullptr;
    }
    if (HWND frame = mdi_frame()) return frame;
    for (NativeView* v = g_views; v; v = v->next_view)
        if (v->style == 0 || v->style == 8) return v->hwnd;
    return nullptr;
}

NativeView* view_create(WindowObject* window, int view_style, RuntimeObject** instance_slot) {
    if (!on_ui_thread()) runtime_failure_report(131, 4, "window", 423);
    if (view_style >= kViewStyleCount) {
        runtime_failure_report(131, 4, "window", 417);
    }
    auto* view = static_cast<NativeView*>(runtime_alloc(sizeof(NativeView)));
    view->shown = 1;
    view->opening = 1;
    view->back_colour = 0xFFFFFF;
    view->style = static_cast<std::uint8_t>(view_style);
    view->client = window->rect;
    view->client_width = static_cast<std::int16_t>(window->rect.right - window->rect.left);
    view->client_height = static_cast<std::int16_t>(window->rect.bottom - window->rect.top);
    string_assign(&view->title, window->title);
    view->instance_slot = instance_slot;

    const ViewStyleRow& row = view_style_row(view_style);
    const bool known = view_style < kViewStyleCount;
    DWORD style = view_window_style(view_style, window->grow_icon, window->close_box, window->zoom_icon);
    DWORD ex_style = known ? row.ex_style : 0;
    view->grow = known && row.grow_from_icon ? window->grow_icon : 0;

    HMENU menu = nullptr;
    if (!project_settings().mdi && !g_menu_bar_owner && (view_style == 0 || view_style == 8)) {
        menu = g_menu_bar;
        view->owns_menu_bar = 1;
    }
    RECT outer = outer_rect(view, style, ex_style, menu != nullptr);
    HWND hwnd = nullptr;
    // The document styles have no extended style.
    if (known && row.mdi_child && mdi_client()) {
        view->mdi_child = 1;
        hwnd = mdi_child_create(string_cstr(window->title), style, outer.right - outer.left, outer.bottom - outer.top);
    } else {
        HWND owner = (ex_style & WS_EX_TOOLWINDOW) ? view_owner_for_new_window() : nullptr;
        hwnd = CreateWindowExA(ex_style, "TVWindow", string_cstr(window->title), style, outer.left, outer.top,
                               outer.right - outer.left, outer.bottom - outer.top, owner, menu, process_instance(),
                               nullptr);
    }
    if (!hwnd) {
        RuntimeUnlockString(view->title);
        runtime_free(view, sizeof *view);
        return nullptr;
    }
    view->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(view));
    if (view->owns_menu_bar) g_menu_bar_owner = view;
    if (known && row.modal) {
        view->modal = 1;
        modal_add(hwnd);
    }
    view->next_view = g_views;
    g_views = view;
    view->next_runtime_view = g_runtime_views;
    g_runtime_views = view;
    view->window = as_window(RuntimeLockObject(as_object(window)));
    window->view = view;
    if (!window->visible) view->shown = 0;
    balloon_help_apply_window(view);
    return view;
}

void view_opened(NativeView* view) {
    view->opening = 0;
    if (picture_data(view->window->backdrop)) {
        GdiFlush();
        InvalidateRect(view->hwnd, nullptr, FALSE);
    }
}

void view_request_close(NativeView* view) {
    if (view->closing) return;
    if (fire_boolean_event(as_object(view->window), g_window_events.cancel_close)) return;
    view_close(view);
}

void view_close(NativeView* view) {
    // A request made by a Close handler is left to the one in progress.
    if (view->closing == kClosingEvents) return;
    WindowObject* window = view->window;  // alive while the view holds it
    if (!view->closing) {
        view->closing = kClosingEvents;
        if (ControlDictionary* controls = window->controls) {
            for (DictionaryEntry* e = controls->first; e; e = e->order_next) {
                RuntimeObject* control = e->control;
                if (!control || !is_control(control)) continue;
                Pane* pane = static_cast<Pane*>(as_control(control)->pane);
                if (pane && pane == focus_pane()) focus_set(nullptr);
                fire_event(control, g_control_events.close);
            }
        }
        fire_event(as_object(window), g_window_events.close);
        view->closing = kClosingDone;
    }
    destroy_view(view, view->native_gone);
}

void view_discard(NativeView* view) {
    view->closing = kClosingDone;
    destroy_view(view, false);
}

void view_native_destroyed(NativeView* view) {
    if (view->closing == kClosingEvents) {
        // The close in progress finishes without the native window.
        view->native_gone = 1;
        return;
    }
    destroy_view(view, true);
}

// A child window's menu slot holds its id instead.
bool view_has_menu(const NativeView* view) { return !view->mdi_child && GetMenu(view->hwnd) != nullptr; }

void view_apply_client_rect(NativeView* view) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(view->hwnd, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongA(view->hwnd, GWL_EXSTYLE));
    RECT outer = outer_rect(view, style, ex_style, view_has_menu(view));
    SetWindowPos(view->hwnd, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void views_walk_show_list() {
    // A handler may close windows: the walk then starts again; the views
    // already in line pass quickly.
    NativeView* view = g_views;
    while (view) view = walk_one(view) ? view->next_view : g_views;
}

bool modal_window_visible(HWND except) {
    for (int i = 0; i < g_modal_count; ++i)
        if (g_modal[i] != except && IsWindowVisible(g_modal[i])) return true;
    return false;
}

void view_set_back_colour(NativeView* view, bool has_back_colour, std::uint32_t colour) {
    view->has_back_colour = has_back_colour;
    view->back_colour = colour;
    InvalidateRect(view->hwnd, nullptr, TRUE);
}
