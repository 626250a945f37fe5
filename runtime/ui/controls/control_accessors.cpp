#include "controls/control_accessors.h"

#include "controls/control_object.h"
#include "panes/balloon_help.h"
#include "panes/control_panes.h"
#include "panes/pane.h"
#include "strings/runtime_string.h"

namespace {

ControlObject* c(RuntimeObject* object) { return as_control(object); }

bool get_flag(RuntimeObject* object, std::uint8_t ControlObject::*flag) { return object && c(object)->*flag; }
void set_flag(RuntimeObject* object, std::uint8_t ControlObject::*flag, bool on) {
    if (object) c(object)->*flag = on ? 1 : 0;
}

}  // namespace

extern "C" {

std::int32_t ctlPosGetter(RuntimeObject* control, std::uint32_t member) {
    return control ? c(control)->rect.member(member) : 0;
}

void ctlPosSetter(RuntimeObject* control, std::uint32_t member, std::int32_t value) {
    if (!control || !c(control)->rect.set_member(member, value)) return;
    control_pane_moved(c(control));
}

bool controlVisibleGetter(RuntimeObject* control, std::uint32_t) { return get_flag(control, &ControlObject::visible); }
void ControlVisibleSetter(RuntimeObject* control, std::uint32_t, bool visible) {
    if (!control) return;
    if (Pane* pane = control_pane(c(control))) pane->state_request(visible ? kRequestShow : kRequestHide);
    set_flag(control, &ControlObject::visible, visible);
}
bool controlEnabledGetter(RuntimeObject* control, std::uint32_t) { return get_flag(control, &ControlObject::enabled); }
void controlEnabledSetter(RuntimeObject* control, std::uint32_t, bool enabled) {
    if (!control) return;
    set_flag(control, &ControlObject::enabled, enabled);
    if (Pane* pane = control_pane(c(control))) pane->state_request(enabled ? kRequestEnable : kRequestDisable);
}
bool controlAutoDeactivateGetter(RuntimeObject* control, std::uint32_t) {
    return get_flag(control, &ControlObject::auto_deactivate);
}
void controlAutoDeactivateSetter(RuntimeObject* control, std::uint32_t, bool on) {
    if (!control) return;
    set_flag(control, &ControlObject::auto_deactivate, on);
    if (Pane* pane = control_pane(c(control))) pane->auto_deactivate = on;
}
bool controlLockLeftGetter(RuntimeObject* control, std::uint32_t) { return get_flag(control, &ControlObject::lock_left); }
void controlLockLeftSetter(RuntimeObject* control, std::uint32_t, bool on) {
    set_flag(control, &ControlObject::lock_left, on);
}
bool controlLockTopGetter(RuntimeObject* control, std::uint32_t) { return get_flag(control, &ControlObject::lock_top); }
void controlLockTopSetter(RuntimeObject* control, std::uint32_t, bool on) {
    set_flag(control, &ControlObject::lock_top, on);
}
bool controlLockRightGetter(RuntimeObject* control, std::uint32_t) {
    return get_flag(control, &ControlObject::lock_right);
}
void controlLockRightSetter(RuntimeObject* control, std::uint32_t, bool on) {
    set_flag(control, &ControlObject::lock_right, on);
}
bool controlLockBottomGetter(RuntimeObject* control, std::uint32_t) {
    return get_flag(control, &ControlObject::lock_bottom);
}
void controlLockBottomSetter(RuntimeObject* control, std::uint32_t, bool on) {
    set_flag(control, &ControlObject::lock_bottom, on);
}

RuntimeObject* controlWindowGetter(RuntimeObject* control, std::uint32_t) {
    return control ? RuntimeLockObject(as_object(c(control)->window)) : nullptr;
}

void controlBalloonHelpSetter(RuntimeObject* control, std::uint32_t, RuntimeString* text) {
    if (!control) return;
    string_assign(&c(control)->balloon_help, text);
    balloon_help_apply(c(control));
}

void controlDisabledBalloonHelpSetter(RuntimeObject* control, std::uint32_t, RuntimeString* text) {
    if (!control) return;
    string_assign(&c(control)->disabled_balloon_help, text);
    balloon_help_apply(c(control));
}

void controlMouseCursorSetter(RuntimeObject* control, std::uint32_t, RuntimeObject* cursor) {
    if (!control) return;
    RuntimeObject* old = c(control)->mouse_cursor;
    c(control)->mouse_cursor = RuntimeLockObject(cursor);
    RuntimeUnlockObject(old);
}

}  // extern "C"
