#include "panes/pane_entry_points.h"

#include "controls/control_object.h"
#include "panes/control_panes.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "startup/project_settings.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"

namespace {

template <typename T>
T* at(void* base, std::uint32_t offset) {
    return reinterpret_cast<T*>(static_cast<std::uint8_t*>(base) + offset);
}

Pane* pane_of(RuntimeObject* control) { return control ? control_pane(as_control(control)) : nullptr; }

NativeView* view_of_window(RuntimeObject* window) { return window ? as_window(window)->view : nullptr; }

// The copy a getter reads: the pane's while it has one.
template <typename T>
T* read_slot(RuntimeObject* control, std::uint32_t selector) {
    Pane* pane = pane_of(control);
    const std::uint32_t in_pane = pane_field_offset(selector);
    if (pane && in_pane) return at<T>(pane, in_pane);
    return at<T>(control, selector & 0x3FF);
}

// The pane's copy first (then its redraw), the control's after it.
template <typename T, typename Store>
void write_both(RuntimeObject* control, std::uint32_t selector, Store store) {
    if (!control) return;
    Pane* pane = pane_of(control);
    if (const std::uint32_t in_pane = pane_field_offset(selector); pane && in_pane) {
        store(at<T>(pane, in_pane));
        pane->refresh();
    }
    store(at<T>(control, selector & 0x3FF));
}

void assign_object(RuntimeObject** slot, RuntimeObject* value) {
    RuntimeObject* old = *slot;
    *slot = RuntimeLockObject(value);
    RuntimeUnlockObject(old);
}

void redraw(RuntimeObject* control) {
    if (Pane* pane = pane_of(control)) pane->refresh();
}

void refresh_view(NativeView* view, const RECT* area) {
    if (!view) return;
    InvalidateRect(view->hwnd, area, TRUE);
    // Panes with child windows cover their part of the window.
    for (Pane* p = first_pane(view); p; p = p->next) {
        if (!p->native) continue;
        RECT pane_area = {p->rect.left, p->rect.top, p->rect.right, p->rect.bottom}, overlap;
        if (!area || IntersectRect(&overlap, &pane_area, area)) p->refresh();
    }
}

}  // namespace

std::uint32_t pane_field_offset(std::uint32_t selector) {
    return project_settings().display_option ? (selector >> 20) & 0x3FF : (selector >> 10) & 0x3FF;
}

extern "C" {

void RuntimeSetFocus(RuntimeObject* control) {
    if (Pane* pane = pane_of(control); pane && pane->live()) focus_set(pane);
}

void formSetFocus(RuntimeObject* window) {
    NativeView* view = view_of_window(window);
    if (!view) return;
    if (focus_pane() && focus_pane()->owner == view) focus_set(nullptr);
    view->focus_pane = nullptr;
    SetFocus(view->hwnd);
}

void clearFocus(RuntimeObject* window) {
    NativeView* view = view_of_window(window);
    if (!view) return;
    if (focus_pane() && focus_pane()->owner == view) focus_set(nullptr);
    view->focus_pane = nullptr;
}

void RuntimeControlRefresh(RuntimeObject* control) { redraw(control); }

void RuntimeControlRefreshRect(RuntimeObject* control, std::int32_t x, std::int32_t y, std::int32_t width,
                               std::int32_t height) {
    Pane* pane = pane_of(control);
    if (!pane || width <= 0 || height <= 0) return;
    if (pane->native) {
        RECT r = {x, y, x + width, y + height};
        InvalidateRect(pane->native, &r, TRUE);
        return;
    }
    RECT r = {pane->rect.left + x, pane->rect.top + y, pane->rect.left + x + width, pane->rect.top + y + height};
    InvalidateRect(pane->owner->hwnd, &r, TRUE);
}

void formRefresh(RuntimeObject* window) { refresh_view(view_of_window(window), nullptr); }

void formRefreshRect(RuntimeObject* window, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return;
    RECT r = {x, y, x + width, y + height};
    refresh_view(view_of_window(window), &r);
}

std::int32_t controlMacControlHandleGetter(RuntimeObject* control, std::uint32_t) {
    Pane* pane = pane_of(control);
    return pane ? static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(pane->native)) : 0;
}

std::int32_t paneIntGetter(RuntimeObject* control, std::uint32_t selector) {
    return control ? *read_slot<std::int32_t>(control, selector) : 0;
}

void paneIntSetter(RuntimeObject* control, std::uint32_t selector, std::int32_t value) {
    write_both<std::int32_t>(control, selector, [value](std::int32_t* slot) { *slot = value; });
}

std::int32_t paneShortGetter(RuntimeObject* control, std::uint32_t selector) {
    return control ? *read_slot<std::int16_t>(control, selector) : 0;
}

void paneShortSetter(RuntimeObject* control, std::uint32_t selector, std::int32_t value) {
    const auto v = static_cast<std::int16_t>(value);
    write_both<std::int16_t>(control, selector, [v](std::int16_t* slot) { *slot = v; });
}

bool paneBoolGetter(RuntimeObject* control, std::uint32_t selector) {
    return control && *read_slot<std::uint8_t>(control, selector) != 0;
}

void paneBoolSetter(RuntimeObject* control, std::uint32_t selector, bool value) {
    const std::uint8_t v = value ? 1 : 0;
    write_both<std::uint8_t>(control, selector, [v](std::uint8_t* slot) { *slot = v; });
}

RuntimeString* paneStringGetter(RuntimeObject* control, std::uint32_t selector) {
    if (!control) return nullptr;
    RuntimeString* s = *read_slot<RuntimeString*>(control, selector);
    RuntimeLockString(s);
    return s;
}

void paneStringSetter(RuntimeObject* control, std::uint32_t selector, RuntimeString* value) {
    write_both<RuntimeString*>(control, selector, [value](RuntimeString** slot) { string_assign(slot, value); });
}

RuntimeObject* paneObjGetter(RuntimeObject* control, std::uint32_t selector) {
    return control ? RuntimeLockObject(*read_slot<RuntimeObject*>(control, selector)) : nullptr;
}

void paneObjSetter(RuntimeObject* control, std::uint32_t selector, RuntimeObject* value) {
    write_both<RuntimeObject*>(control, selector, [value](RuntimeObject** slot) { assign_object(slot, value); });
}

void intInvalidateSetter(RuntimeObject* control, std::uint32_t offset, std::int32_t value) {
    if (!control) return;
    *at<std::int32_t>(control, offset) = value;
    redraw(control);
}

void boolInvalidateSetter(RuntimeObject* control, std::uint32_t offset, bool value) {
    if (!control) return;
    *at<std::uint8_t>(control, offset) = value ? 1 : 0;
    redraw(control);
}

void stringInvalidateSetter(RuntimeObject* control, std::uint32_t offset, RuntimeString* value) {
    if (!control) return;
    string_assign(at<RuntimeString*>(control, offset), value);
    redraw(control);
}

void objInvalidateSetter(RuntimeObject* control, std::uint32_t offset, RuntimeObject* value) {
    if (!control) return;
    assign_object(at<RuntimeObject*>(control, offset), value);
    redraw(control);
}

}  // extern "C"
