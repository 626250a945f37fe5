// Balloon help shown as tooltips: one tooltip window per view, a tool per
// control with a help text (the disabled text while it is disabled) and one
// for the window itself, listed last so that controls win over it.
#pragma once

struct ControlObject;
struct NativeView;
class Pane;

// The control's text, rectangle or enabled state changed: its tool follows.
void balloon_help_apply(ControlObject* control);
// The pane goes: so does its tool.
void balloon_help_forget(Pane* pane);
// The window's own text changed, or its view was just made.
void balloon_help_apply_window(NativeView* view);
