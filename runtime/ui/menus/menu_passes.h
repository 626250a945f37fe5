// The two passes over the menus: which items are enabled (before a menu
// opens, WM_INITMENU) and who performs a chosen item (WM_COMMAND without a
// control, and menu shortcuts).
#pragma once

#include <cstdint>

struct NativeView;

// Clears every enabled byte, then asks every item (EnableMenu), the focus
// pane, the front window and the application (EnableMenuItems), then
// re-applies the menus. Nothing without a menu bar.
void menus_enable_pass();
// Offers the command to the focus pane, the front window's menu handlers,
// the application's, then the item's Action; true when one handled it.
bool menus_perform(std::int32_t command_id);
// The keyboard's shortcut step: true when `key_text` is an item's shortcut.
// The enabling pass runs first, so that the shortcut of an item that stays
// grey does nothing, as the grey item itself does.
bool menus_shortcut(NativeView* view, const char* key_text);
