// Substring search: letter case ignored (through the upper-case map) or
// exact bytes. Results are byte offsets, kNoMatch when there is none.
#pragma once

#include "strings/string_text.h"

constexpr std::size_t kNoMatch = static_cast<std::size_t>(-1);

// On a double-byte table only whole characters match, and two-byte
// characters compare exactly; `from` must start a character.
std::size_t find_ignoring_case(const CharTables& t, Text text, std::size_t from, Text find);
std::size_t find_exact(Text text, std::size_t from, Text find);
