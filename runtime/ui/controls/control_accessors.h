// The stored properties of Control and RectControl. They store into the
// control object and, once the control has its pane, pass the value on.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
std::int32_t ctlPosGetter(RuntimeObject* control, std::uint32_t member);  // 0 Left, 1 Top, 2 Width, 3 Height
void ctlPosSetter(RuntimeObject* control, std::uint32_t member, std::int32_t value);
bool controlVisibleGetter(RuntimeObject* control, std::uint32_t);
void ControlVisibleSetter(RuntimeObject* control, std::uint32_t, bool visible);
bool controlEnabledGetter(RuntimeObject* control, std::uint32_t);
void controlEnabledSetter(RuntimeObject* control, std::uint32_t, bool enabled);
bool controlAutoDeactivateGetter(RuntimeObject* control, std::uint32_t);
void controlAutoDeactivateSetter(RuntimeObject* control, std::uint32_t, bool on);
bool controlLockLeftGetter(RuntimeObject* control, std::uint32_t);
void controlLockLeftSetter(RuntimeObject* control, std::uint32_t, bool on);
bool controlLockTopGetter(RuntimeObject* control, std::uint32_t);
void controlLockTopSetter(RuntimeObject* control, std::uint32_t, bool on);
bool controlLockRightGetter(RuntimeObject* control, std::uint32_t);
void controlLockRightSetter(RuntimeObject* control, std::uint32_t, bool on);
bool controlLockBottomGetter(RuntimeObject* control, std::uint32_t);
void controlLockBottomSetter(RuntimeObject* control, std::uint32_t, bool on);
RuntimeObject* controlWindowGetter(RuntimeObject* control, std::uint32_t);  // a new reference
void controlBalloonHelpSetter(RuntimeObject* control, std::uint32_t, RuntimeString* text);
void controlDisabledBalloonHelpSetter(RuntimeObject* control, std::uint32_t, RuntimeString* text);
void controlMouseCursorSetter(RuntimeObject* control, std::uint32_t, RuntimeObject* cursor);
}
