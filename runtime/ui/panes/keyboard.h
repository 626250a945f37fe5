// The runtime's keyboard handling, offered every WM_KEYDOWN before it is
// translated: menu shortcuts, the focus pane, the window's KeyDown, then
// Tab, Shift+Tab, Enter and Escape.
#pragma once

#include <windows.h>

struct NativeView;

// A menu command whose shortcut has this key text performed; true when one was.
using MenuShortcutHook = bool (*)(NativeView* view, const char* key_text);
void keyboard_set_menu_shortcut(MenuShortcutHook hook);

// True when the key was consumed.
bool keyboard_handle_message(MSG* message);
// The window's KeyDown with the one-character string; true when it took
// the key or the window started closing.
bool view_key_down(NativeView* view, char character);
