#include "panes/control_panes.h"

#include "panes/pane.h"

void control_pane_created(ControlObject* control) {
    Pane* pane = control_pane(control);
    if (!pane) return;
    pane->tab_panel_index = control->tab_panel_index;
    if (!control->visible) pane->state_request(kRequestHide);
    if (!control->enabled) pane->state_request(kRequestDisable);
    pane->auto_deactivate = control->auto_deactivate;
    pane->drop_link = &control->header;
}

void control_pane_moved(ControlObject* control) {
    if (Pane* pane = control_pane(control)) pane->set_rect(control->rect, true);
}
