// The pane of a PushButton. Of the window's push buttons, the first that
// is visible, enabled, active and flagged Default shows itself as the
// default button; the cancel button is found the same way.
#pragma once

#include "controls/button_pane.h"

struct PushButtonObject;

class PushButtonPane : public ButtonPane {
public:
    explicit PushButtonPane(PushButtonObject* button);

    bool create_button();

    void command(int notification_code) override;
    bool takes_enter() override;
    bool is_default_button() override;
    bool is_cancel_button() override;
    void push() override;
    void set_active(bool on, bool redraw) override;
    void visibility_changed(bool visible, bool enabled) override;

    void set_default(bool on);
    void set_cancel(bool on) { cancel_ = on; }

private:
    PushButtonObject* button_;  // no reference: the window holds its controls
    bool default_ = false, cancel_ = false;
    bool shows_default_ = false;

    void show_default(bool on);
    // Every push button of the window shows whether it is the default one.
    void restyle_window_buttons();
};
