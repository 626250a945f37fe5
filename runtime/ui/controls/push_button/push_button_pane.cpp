#include "controls/push_button/push_button_pane.h"

#include "controls/push_button/push_button.h"
#include "windows/native_view.h"

PushButtonPane::PushButtonPane(PushButtonObject* button) : ButtonPane(&button->control), button_(button) {}

bool PushButtonPane::create_button() {
    default_ = button_->is_default;
    cancel_ = button_->is_cancel;
    return make(button_->control.rect, button_->caption, BS_PUSHBUTTON, button_->style);
}

void PushButtonPane::command(int notification_code) {
    if (notification_code == BN_CLICKED) push_button_react(button_);
}

// A focused push button takes Enter for itself.
bool PushButtonPane::takes_enter() { return true; }

bool PushButtonPane::is_default_button() { return default_ && live() && active; }
bool PushButtonPane::is_cancel_button() { return cancel_ && live() && active; }

void PushButtonPane::push() { push_button_react(button_); }

void PushButtonPane::set_active(bool on, bool redraw) {
    ButtonPane::set_active(on, redraw);
    restyle_window_buttons();
}

void PushButtonPane::visibility_changed(bool, bool) { restyle_window_buttons(); }

void PushButtonPane::set_default(bool on) {
    default_ = on;
    restyle_window_buttons();
}

void PushButtonPane::show_default(bool on) {
    if (on == shows_default_ || !native) return;
    shows_default_ = on;
    SendMessageA(native, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void PushButtonPane::restyle_window_buttons() {
    if (!owner) return;
    Pane* chosen = nullptr;
    for (Pane* p = first_pane(owner); p && !chosen; p = p->next)
        if (p->live() && p->is_default_button()) chosen = p;
    for (Pane* p = first_pane(owner); p; p = p->next)
        if (auto* button = dynamic_cast<PushButtonPane*>(p)) button->show_default(button == chosen);
}
