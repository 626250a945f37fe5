// The control side of panes: the initial state a new pane gets from its
// control, and the stored properties passed on to it.
#pragma once

#include <cstdint>

struct ControlObject;
class Pane;

inline Pane* control_pane(const ControlObject* control);
// After the control's CreatePane: tab panel index, hidden or disabled
// state, help texts, auto-deactivation and the drop link.
void control_pane_created(ControlObject* control);
// The control's rectangle changed: its pane follows.
void control_pane_moved(ControlObject* control);

#include "controls/control_object.h"

inline Pane* control_pane(const ControlObject* control) { return static_cast<Pane*>(control->pane); }
