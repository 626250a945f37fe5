// Raw text views and the character walk shared by the string functions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "strings/char_tables.h"
#include "strings/runtime_string.h"

struct Text {
    const std::uint8_t* bytes;
    std::size_t length;
};

inline Text text_of(const RuntimeString* s) { return {string_data(s), string_length(s)}; }

// Where a character starts: a lead byte and the byte after it are one
// character; a lead byte at the very end stands alone.
inline std::size_t char_size(const CharTables& t, Text text, std::size_t at) {
    return (t.lead[text.bytes[at]] && at + 1 < text.length) ? 2 : 1;
}
std::size_t char_count(const CharTables& t, Text text);
// Byte offset of character number `chars` (0-based); the length when the
// text has fewer characters.
std::size_t char_offset(const CharTables& t, Text text, std::size_t chars);

// The 0-based first unit and the number of units (bytes or characters) that
// Mid(start, count) takes from a text of `length` units: a start below 1
// starts at 1 and lowers count by what lies before 1. False: nothing.
bool mid_range(std::int32_t start, std::int32_t count, std::size_t length, std::size_t* first, std::size_t* taken);
