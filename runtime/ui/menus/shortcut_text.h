// The shortcut text of a key specification: the modifier words before the
// last "-" ("Shift", "Option", "Control", "Alt"), then the key. It is what
// the keyboard handling compares its key text with (panes/key_text.h).
#pragma once

#include <cstddef>

constexpr std::size_t kShortcutTextCapacity = 48;

// Writes the zero-terminated text into `out` and returns its length; 0 (and
// an empty text) for an empty specification.
std::size_t shortcut_text(const char* specification, std::size_t length, char (&out)[kShortcutTextCapacity]);
