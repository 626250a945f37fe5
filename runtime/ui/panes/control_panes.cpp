#include "panes/control_panes.h"

#include "panes/balloon_help.h"
#include "panes/pane.h"

void control_pane_created(ControlObject* control) {
    Pane* pane = control_pane(control);
    if (!pane) return;
    pane->tab_panel_index = control->tab_panel_index;
    if (!control->visible) pane->state_request(kRequestHide);
    if (!control->enabled) pane->state_request(kRequestDisable);
    pane->auto_deactivate = control->auto_deactivate;
    pane->drop_link = &control->header;
    balloon_help_apply(control);
}

void control_pane_moved(ControlObject* control) {
    Pane* pane = control_pane(control);
    if (!pane) return;
    pane->set_rect(control->rect, true);
    balloon_help_apply(control);
}
