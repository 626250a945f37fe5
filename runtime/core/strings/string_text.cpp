#include "strings/string_text.h"

std::size_t char_count(const CharTables& t, Text text) {
    if (!t.double_byte) return text.length;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.length; at += char_size(t, text, at)) ++count;
    return count;
}

std::size_t char_offset(const CharTables& t, Text text, std::size_t chars) {
    if (!t.double_byte) return chars < text.length ? chars : text.length;
    std::size_t at = 0;
    for (; chars > 0 && at < text.length; --chars) at += char_size(t, text, at);
    return at;
}

bool mid_range(std::int32_t start, std::int32_t count, std::size_t length, std::size_t* first, std::size_t* taken) {
    std::int64_t from = start, n = count;
    if (from < 1) {
        n -= 1 - from;
        from = 1;
    }
    if (n <= 0 || from > static_cast<std::int64_t>(length)) return false;
    *first = static_cast<std::size_t>(from - 1);
    std::size_t left = length - *first;
    *taken = static_cast<std::uint64_t>(n) < left ? static_cast<std::size_t>(n) : left;
    return true;
}
