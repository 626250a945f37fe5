#include "controls/check_box/check_box_pane.h"

#include "controls/check_box/check_box.h"
#include "panes/pane_focus.h"

CheckBoxPane::CheckBoxPane(CheckBoxObject* box) : ButtonPane(&box->control), box_(box) {}

bool CheckBoxPane::create_box() {
    if (!make(box_->control.rect, box_->caption, BS_CHECKBOX | BS_NOTIFY, box_->style)) return false;
    set_checked(box_->value);
    return true;
}

void CheckBoxPane::command(int notification_code) {
    if (notification_code == BN_CLICKED) {
        set_checked(!checked());
        check_box_react(box_);
    } else if (notification_code == BN_SETFOCUS) {
        focus_set(this);
    }
}

bool CheckBoxPane::checked() const {
    return native && SendMessageA(native, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBoxPane::set_checked(bool on) {
    if (native) SendMessageA(native, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
