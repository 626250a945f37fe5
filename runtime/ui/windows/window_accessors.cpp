#include "windows/window_accessors.h"

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "menus/menu_bar.h"
#include "panes/balloon_help.h"
#include "strings/runtime_string.h"
#include "windows/full_screen.h"
#include "windows/native_view.h"
#include "windows/window_object.h"

namespace {

WindowObject* w(RuntimeObject* object) { return as_window(object); }
NativeView* view(RuntimeObject* object) { return object ? w(object)->view : nullptr; }

void store_flag(std::uint8_t& flag, bool on) { flag = on ? 1 : 0; }

// The n-th Control of the dictionary, in order; null past the end.
RuntimeObject* nth_control(const WindowObject* window, std::int32_t n) {
    if (!window->controls || n < 0) return nullptr;
    for (DictionaryEntry* e = window->controls->first; e; e = e->order_next) {
        if (!e->control || !is_control(e->control)) continue;
        if (n-- == 0) return e->control;
    }
    return nullptr;
}

POINT cursor_in_client(RuntimeObject* window) {
    POINT at = {0, 0};
    GetCursorPos(&at);
    if (NativeView* v = view(window)) ScreenToClient(v->hwnd, &at);
    return at;
}

}  // namespace

extern "C" {

bool WindowVisibleGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->visible; }

void WindowVisibleSetter(RuntimeObject* window, std::uint32_t, bool visible) {
    if (!window) return;
    store_flag(w(window)->visible, visible);
    NativeView* v = view(window);
    if (!v) return;
    if (visible) {
        v->shown = 1;  // the next loop pass shows it
    } else {
        v->shown = 0;
        ShowWindow(v->hwnd, SW_HIDE);
    }
}

std::int32_t windowPosGetter(RuntimeObject* window, std::uint32_t member) {
    return window ? w(window)->rect.member(member) : 0;
}

void windowPosSetter(RuntimeObject* window, std::uint32_t member, std::int32_t value) {
    if (!window || w(window)->full_screen) return;
    ShortRect& r = w(window)->rect;
    if (!r.set_member(member, value)) return;
    // The resize that follows moves the locked controls.
    if (NativeView* v = view(window)) {
        v->client = r;
        view_apply_client_rect(v);
    }
}

std::int32_t windowPlacementGetter(RuntimeObject* window, std::uint32_t) { return window ? w(window)->placement : 0; }
void windowPlacementSetter(RuntimeObject* window, std::uint32_t, std::int32_t placement) {
    if (window) w(window)->placement = placement;
}

RuntimeString* windowTitleGetter(RuntimeObject* window, std::uint32_t) {
    if (!window) return nullptr;
    RuntimeLockString(w(window)->title);
    return w(window)->title;
}

void windowTitleSetter(RuntimeObject* window, std::uint32_t, RuntimeString* title) {
    if (!window) return;
    string_assign(&w(window)->title, title);
    if (NativeView* v = view(window)) {
        string_assign(&v->title, title);
        SetWindowTextA(v->hwnd, string_cstr(title));
    }
}

bool windowFullScreenGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->full_screen; }

void windowFullScreenSetter(RuntimeObject* window, std::uint32_t, bool on) {
    NativeView* v = view(window);
    if (!v || w(window)->full_screen == (on ? 1 : 0)) return;
    if (on) {
        full_screen_enter(v);
        w(window)->full_screen = 1;
    } else {
        w(window)->full_screen = 0;
        full_screen_leave(v);
    }
}

bool windowMenusVisibleGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->menu_bar_visible; }

void windowMenusVisibleSetter(RuntimeObject* window, std::uint32_t, bool visible) {
    if (!window) return;
    store_flag(w(window)->menu_bar_visible, visible);
    menu_bar_show(view(window), visible);
}

bool windowCloseBoxGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->close_box; }
void windowCloseBoxSetter(RuntimeObject* window, std::uint32_t, bool on) {
    if (window) store_flag(w(window)->close_box, on);
}
bool windowGrowIconGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->grow_icon; }
void windowGrowIconSetter(RuntimeObject* window, std::uint32_t, bool on) {
    if (window) store_flag(w(window)->grow_icon, on);
}
bool windowZoomIconGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->zoom_icon; }
void windowZoomIconSetter(RuntimeObject* window, std::uint32_t, bool on) {
    if (window) store_flag(w(window)->zoom_icon, on);
}
std::int32_t windowFrameGetter(RuntimeObject* window, std::uint32_t) { return window ? w(window)->frame : 0; }
void windowFrameSetter(RuntimeObject* window, std::uint32_t, std::int32_t frame) {
    if (window) w(window)->frame = frame;
}

RuntimeObject* windowBackdropGetter(RuntimeObject* window, std::uint32_t) {
    return window ? RuntimeLockObject(w(window)->backdrop) : nullptr;
}

void windowBackdropSetter(RuntimeObject* window, std::uint32_t, RuntimeObject* picture) {
    if (!window) return;
    RuntimeObject* old = w(window)->backdrop;
    w(window)->backdrop = RuntimeLockObject(picture);
    RuntimeUnlockObject(old);
    if (NativeView* v = view(window)) InvalidateRect(v->hwnd, nullptr, TRUE);
}

bool windowHasBackColorGetter(RuntimeObject* window, std::uint32_t) { return window && w(window)->has_back_colour; }

void windowHasBackColorSetter(RuntimeObject* window, std::uint32_t, bool on) {
    if (!window) return;
    store_flag(w(window)->has_back_colour, on);
    if (NativeView* v = view(window)) view_set_back_colour(v, on, w(window)->back_colour);
}

std::uint32_t windowBackColorGetter(RuntimeObject* window, std::uint32_t) { return window ? w(window)->back_colour : 0; }

void windowBackColorSetter(RuntimeObject* window, std::uint32_t, std::uint32_t colour) {
    if (!window) return;
    w(window)->back_colour = colour & 0xFFFFFF;
    NativeView* v = view(window);
    if (v && w(window)->has_back_colour) view_set_back_colour(v, true, w(window)->back_colour);
}

void windowBalloonHelpSetter(RuntimeObject* window, std::uint32_t, RuntimeString* text) {
    if (!window) return;
    string_assign(&w(window)->balloon_help, text);
    balloon_help_apply_window(view(window));
}

void formMouseCursorSetter(RuntimeObject* window, std::uint32_t, RuntimeObject* cursor) {
    if (!window) return;
    RuntimeObject* old = w(window)->mouse_cursor;
    w(window)->mouse_cursor = RuntimeLockObject(cursor);
    RuntimeUnlockObject(old);
}

std::int32_t windowControlCountGetter(RuntimeObject* window, std::uint32_t) {
    if (!window || !w(window)->controls) return 0;
    std::int32_t n = 0;
    for (DictionaryEntry* e = w(window)->controls->first; e; e = e->order_next)
        if (e->control && is_control(e->control)) ++n;
    return n;
}

RuntimeObject* windowControl(RuntimeObject* window, std::int32_t n) {
    return window ? RuntimeLockObject(nth_control(w(window), n)) : nullptr;
}

std::int32_t windowMouseXGetter(RuntimeObject* window, std::uint32_t) { return cursor_in_client(window).x; }
std::int32_t windowMouseYGetter(RuntimeObject* window, std::uint32_t) { return cursor_in_client(window).y; }

HWND windowHWNDGetter(RuntimeObject* window, std::uint32_t) {
    NativeView* v = view(window);
    return v ? v->hwnd : nullptr;
}

HWND windowWindowPtrGetter(RuntimeObject* window, std::uint32_t selector) { return windowHWNDGetter(window, selector); }

}  // extern "C"
