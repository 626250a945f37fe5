// The pane of a CheckBox: BS_CHECKBOX, so that the runtime, not Windows,
// turns the check on and off and runs the box's reaction.
#pragma once

#include "controls/button_pane.h"

struct CheckBoxObject;

class CheckBoxPane : public ButtonPane {
public:
    explicit CheckBoxPane(CheckBoxObject* box);

    bool create_box();
    void command(int notification_code) override;

    bool checked() const;
    void set_checked(bool on);

private:
    CheckBoxObject* box_;  // no reference: the window holds its controls
};
