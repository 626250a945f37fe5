// The text of a key as the menu shortcuts spell it: "Ctrl+", "Shft+",
// "Alt+" in this order, then the key's name or its character.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kKeyTextCapacity = 24;

// `character` is the key's unshifted character (0 when it has none).
// Writes a zero-terminated text into `out`; returns its length.
std::size_t key_text(std::uint8_t virtual_key, char character, std::int32_t modifiers,
                     char (&out)[kKeyTextCapacity]);
