#include "panes/pane.h"

#include "controls/control_object.h"
#include "descriptions/window_controls.h"
#include "objects/memory.h"
#include "panes/balloon_help.h"
#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "startup/process.h"
#include "startup/ui_services.h"
#include "windows/window_events.h"

namespace {

// Child windows get ids of their own so that notifications name them.
std::uint16_t g_next_child_id = 1000;

bool same_class(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

bool class_is(HWND hwnd, const char* name) {
    char found[16];
    return GetClassNameA(hwnd, found, sizeof found) > 0 && same_class(found, name);
}

bool encloses(const ShortRect& outer, const ShortRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// Controls inside a group box or tab panel become children of its window.
HWND choose_parent(const NativeView* view, const PaneCreation& how) {
    HWND parent = view->hwnd;
    for (const Pane* p = first_pane(view); p; p = p->next)
        if (p->live() && p->native && p->container == how.container && encloses(p->rect, how.rect)) parent = p->native;
    if (parent == view->hwnd) return parent;
    const bool wants_grandparent = same_class(how.class_name, "RICHEDIT") || same_class(how.class_name, "COMBOBOX") ||
                                   same_class(how.class_name, "msctls_trackbar32");
    if (control_cloning() || (wants_grandparent && class_is(parent, "Button"))) return GetParent(parent);
    return parent;
}

void append(NativeView* view, Pane* pane) {
    Pane* last = last_pane(view);
    pane->previous = last;
    if (last) last->next = pane;
    else view->first_pane = pane;
}

void unlink(NativeView* view, Pane* pane) {
    if (pane->previous) pane->previous->next = pane->next;
    else view->first_pane = pane->next;
    if (pane->next) pane->next->previous = pane->previous;
    pane->next = pane->previous = nullptr;
}

}  // namespace

Pane::Pane(ControlObject* c) : rect{0, 0, 0, 0}, control(c) {}
Pane::~Pane() = default;

void* Pane::operator new(std::size_t size) { return runtime_alloc(size); }
void Pane::operator delete(void* block, std::size_t size) { runtime_free(block, size); }

void Pane::draw(HDC) {}
bool Pane::mouse_down(int, int, std::int32_t) { return false; }
bool Pane::right_mouse_down(int x, int y, std::int32_t modifiers) { return mouse_down(x, y, modifiers); }
void Pane::mouse_drag(int, int) {}
void Pane::mouse_move(int, int) {}
void Pane::mouse_up(int, int) {}

// Auto-deactivating panes are drawn inactive while their window is.
void Pane::window_activated() {
    if (!deactivated) return;
    deactivated = 0;
    set_active(active_before_deactivation, true);
}

void Pane::window_deactivated() {
    if (!auto_deactivate || deactivated) return;
    active_before_deactivation = active;
    deactivated = 1;
    set_active(false, true);
}

void Pane::drop(RuntimeObject* drag_item) {
    if (drop_link) fire_object_event(drop_link, g_control_events.drop_object, drag_item);
}

bool Pane::takes_enter() { return false; }
void Pane::lose_focus() {}
void Pane::gain_focus() { SetFocus(native ? native : owner->hwnd); }
bool Pane::accepts_focus() { return false; }

void Pane::set_rect(const ShortRect& r, bool redraw) {
    if (!native && redraw) refresh();
    rect = r;
    width = static_cast<std::int16_t>(r.right - r.left);
    height = static_cast<std::int16_t>(r.bottom - r.top);
    if (native) {
        POINT at = {r.left, r.top};
        MapWindowPoints(owner->hwnd, GetParent(native), &at, 1);
        MoveWindow(native, at.x, at.y, width, height, redraw);
    } else if (redraw) {
        refresh();
    }
}

bool Pane::key_down(char, std::uint8_t, std::int32_t) { return false; }
bool Pane::takes_tab() { return false; }

void Pane::state_request(std::int32_t request) {
    for (Pane* child = first_pane(owner); child; child = child->next)
        if (child->container == this) child->state_request(request);
    switch (request) {
        case kRequestEnable:
            set_enabled(true);
            set_active(true, true);
            break;
        case kRequestDisable:
            set_enabled(false);
            set_active(false, true);
            break;
        case kRequestShow: set_visible(true); break;
        case kRequestHide: set_visible(false); break;
        case kRequestWindowActive: window_activated(); break;
        case kRequestWindowInactive: window_deactivated(); break;
        default: break;
    }
}

void Pane::idle() {}
void Pane::enable_menu_items() {}
bool Pane::menu_command(MenuItemObject*) { return false; }

void Pane::refresh() {
    if (native) {
        InvalidateRect(native, nullptr, TRUE);
        return;
    }
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(owner->hwnd, &r, TRUE);
}

void Pane::close() {
    balloon_help_forget(this);
    HWND hwnd = native;
    native = nullptr;
    if (!hwnd || !IsWindow(hwnd)) return;
    if (pane_of_native(hwnd) == this) SetWindowLongPtrA(hwnd, 0, 0);
    DestroyWindow(hwnd);
}

void Pane::set_active(bool on, bool redraw) {
    active = on;
    if (redraw) refresh();
}

void Pane::set_visible(bool on) {
    visible = on;
    if (!on) focus_pane_unavailable(this);
    if (native) ShowWindow(native, on ? SW_SHOWNA : SW_HIDE);
    else refresh();
    visibility_changed(visible, enabled);
}

void Pane::set_enabled(bool on) {
    enabled = on;
    if (!on) focus_pane_unavailable(this);
    if (native) EnableWindow(native, on);
    if (control && control->pane == this) balloon_help_apply(control);
    visibility_changed(visible, enabled);
}

void Pane::visibility_changed(bool, bool) {}
bool Pane::is_default_button() { return false; }
bool Pane::is_cancel_button() { return false; }
void Pane::push() {}

HWND Pane::make_native(const PaneCreation& how, HWND parent, const RECT& r) {
    int h = r.bottom - r.top;
    if (same_class(how.class_name, "COMBOBOX")) h += 200;  // room for the drop-down list
    return CreateWindowExA(how.ex_style, how.class_name, how.caption ? how.caption : "",
                           how.style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left, h, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(g_next_child_id++)), process_instance(),
                           nullptr);
}

bool Pane::create(const PaneCreation& how) {
    owner = control->view;
    container = how.container;
    rect = how.rect;
    width = static_cast<std::int16_t>(rect.right - rect.left);
    height = static_cast<std::int16_t>(rect.bottom - rect.top);
    visible = enabled = active = 1;
    if (how.class_name && *how.class_name) {
        HWND parent = choose_parent(owner, how);
        POINT at = {rect.left, rect.top};
        MapWindowPoints(owner->hwnd, parent, &at, 1);
        RECT in_parent = {at.x, at.y, at.x + width, at.y + height};
        native = make_native(how, parent, in_parent);
        if (!native) return false;
        if (same_class(how.class_name, "TV_Pane")) SetWindowLongPtrA(native, 0, reinterpret_cast<LONG_PTR>(this));
    }
    append(owner, this);
    return true;
}

Pane* last_pane(const NativeView* view) {
    Pane* p = first_pane(view);
    while (p && p->next) p = p->next;
    return p;
}

Pane* pane_of_native(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (void* subclassed = GetPropA(hwnd, "TVInstance")) return static_cast<Pane*>(subclassed);
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) != ui_services().pane_procedure)
        return nullptr;
    return reinterpret_cast<Pane*>(GetWindowLongPtrA(hwnd, 0));
}

NativeView* view_containing(HWND hwnd) {
    while (hwnd) {
        if (NativeView* view = view_of(hwnd)) return view;
        // Up through child windows only: an owned dialog is not part of its owner.
        if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
        hwnd = GetParent(hwnd);
    }
    return nullptr;
}

void panes_close_all(NativeView* view) {
    mouse_forget_view(view);
    focus_forget_view(view);
    while (Pane* pane = first_pane(view)) {
        pane->close();
        unlink(view, pane);
        if (pane->control && pane->control->pane == pane) pane->control->pane = nullptr;
        delete pane;
    }
}

void panes_request_all(NativeView* view, std::int32_t request) {
    for (Pane* p = first_pane(view); p; p = p->next)
        if (!p->container) p->state_request(request);
}
