// The part of a window description after the window's own pairs: its
// controls, their panes, the bindings and the Open events.
#pragma once

class PackedReader;
struct NativeView;

// Creates the controls, panes and bindings of `view`'s window and sends the
// Open events. False when the description ended early (nothing was opened).
bool window_controls_create(NativeView* view, PackedReader& reader);

// Gives a control of a window whose view exists its pane (CreatePane).
struct ControlObject;
void control_create_pane(ControlObject* control);
// True while CreatePane runs for a clone.
bool control_cloning();
