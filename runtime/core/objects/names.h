// Names of classes, events, menu items, plugin members and export entries
// compare with a fixed folding of a-z to A-Z: no locale, no accents.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint8_t name_fold(std::uint8_t byte);
// <0, 0 or >0; a prefix sorts before the longer text.
int name_compare(const char* a, std::size_t a_length, const char* b, std::size_t b_length);
