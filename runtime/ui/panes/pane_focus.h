// The keyboard focus: one focus pane for the runtime; each view remembers
// the pane that had it, for when the window is activated again.
#pragma once

class Pane;
struct NativeView;

Pane* focus_pane();
// Makes `pane` the focus pane (null: none): the old one loses the focus,
// then, when nothing else changed the focus meanwhile, `pane` gains it.
void focus_set(Pane* pane);
// A pane hidden, disabled or closing gives the focus up.
void focus_pane_unavailable(Pane* pane);
void focus_forget_view(NativeView* view);
// Window activation: the panes are told; the focus comes back to the pane
// that had it (still visible and enabled) or the first that accepts it.
void focus_window_activated(NativeView* view);
void focus_window_deactivated(NativeView* view);
// Tab and Shift+Tab: the next (previous) pane accepting the focus, wrapping
// around; false when none does.
bool focus_move(NativeView* view, bool backwards);
// The main loop's idle call of the focus pane.
void focus_idle();
