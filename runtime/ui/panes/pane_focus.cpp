#include "panes/pane_focus.h"

#include "controls/control_object.h"
#include "panes/pane.h"
#include "windows/native_view.h"

namespace {

Pane* g_focus = nullptr;

bool can_take_focus(Pane* p) { return p->live() && p->accepts_focus(); }

Pane* first_accepting(NativeView* view) {
    for (Pane* p = first_pane(view); p; p = p->next)
        if (can_take_focus(p)) return p;
    return nullptr;
}

bool belongs_to(const NativeView* view, const Pane* pane) {
    for (const Pane* p = first_pane(view); p; p = p->next)
        if (p == pane) return true;
    return false;
}

// The pane after (before) `p` in list order, wrapping; from none, the first (last).
Pane* step(NativeView* view, Pane* p, bool backwards) {
    if (backwards) return p && p->previous ? p->previous : last_pane(view);
    return p && p->next ? p->next : first_pane(view);
}

}  // namespace

Pane* focus_pane() { return g_focus; }

void focus_set(Pane* pane) {
    if (pane == g_focus) return;
    Pane* old = g_focus;
    if (old) {
        old->lose_focus();
        // A lose-focus handler that moved the focus elsewhere wins.
        if (g_focus != old) return;
        if (old->owner->focus_pane == old) old->owner->focus_pane = nullptr;
    }
    g_focus = pane;
    if (!pane) return;
    pane->owner->focus_pane = pane;
    pane->gain_focus();
}

void focus_pane_unavailable(Pane* pane) {
    if (pane->owner && pane->owner->focus_pane == pane) pane->owner->focus_pane = nullptr;
    if (g_focus != pane) return;
    g_focus = nullptr;
    pane->lose_focus();
}

void focus_forget_view(NativeView* view) {
    if (g_focus && g_focus->owner == view) g_focus = nullptr;
    view->focus_pane = nullptr;
}

void focus_window_activated(NativeView* view) {
    panes_request_all(view, kRequestWindowActive);
    Pane* noted = static_cast<Pane*>(view->focus_pane);
    if (!noted || !belongs_to(view, noted) || !noted->live()) noted = first_accepting(view);
    if (!noted) return;
    // Still the focus pane (no deactivation came first): its native window
    // takes the keyboard focus back from the system's choice.
    if (noted == g_focus) noted->gain_focus();
    else focus_set(noted);
}

void focus_window_deactivated(NativeView* view) {
    panes_request_all(view, kRequestWindowInactive);
    if (!g_focus || g_focus->owner != view) return;
    Pane* had = g_focus;
    g_focus = nullptr;
    had->lose_focus();
    view->focus_pane = had;
}

bool focus_move(NativeView* view, bool backwards) {
    Pane* from = g_focus && g_focus->owner == view ? g_focus : nullptr;
    Pane* first_seen = nullptr;
    for (Pane* p = step(view, from, backwards); p; p = step(view, p, backwards)) {
        if (can_take_focus(p)) {
            focus_set(p);
            return true;
        }
        if (p == from || p == first_seen) return false;  // once around
        if (!first_seen) first_seen = p;
    }
    return false;
}

void focus_idle() {
    if (g_focus) g_focus->idle();
}
