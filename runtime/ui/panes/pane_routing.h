// Notifications of native controls, sent to their parent window, reach
// the pane kept in the control's "TVInstance" property.
#pragma once

#include <windows.h>

#include <cstdint>

// True when `message` was a control notification (taken by a pane, or
// ignored for a child without pane); `result` is then the answer.
bool panes_route_notification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
// The modifier keys of the last command notification.
std::int32_t command_modifiers();
