// The shortcut text of the keys an item names: the modifier words before the
// last "-" ("Shift", "Option", "Control", "Alt"), then the key. It is what
// the keyboard handling compares its key text with (panes/key_text.h).
#pragma once

#include <cstddef>

constexpr std::size_t kShortcutTextCapacity = 48;

// Writes the zero-terminated text into `out` and returns its length; 0 (and
// an empty text) when no keys are named.
std::size_t shortcut_text(const char* keys, std::size_t length, char (&out)[kShortcutTextCapacity]);
