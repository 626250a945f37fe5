#include "strings/string_search.h"

#include <cstring>

#include "strings/string_functions.h"

namespace {

// Texts whose search has this many start positions or fewer, or a search
// text this short, gain nothing from the shift table.
constexpr std::size_t kShortSearchText = 4;
constexpr std::size_t kFewStarts = 80;

bool matches_whole_chars(const CharTables& t, Text text, std::size_t at, Text find) {
    std::size_t j = 0;
    while (j < find.length) {
        if (char_size(t, text, at + j) == 2) {
            if (j + 1 >= find.length) return false;  // find would end inside the character
            if (text.bytes[at + j] != find.bytes[j] || text.bytes[at + j + 1] != find.bytes[j + 1]) return false;
            j += 2;
        } else {
            if (t.upper[text.bytes[at + j]] != t.upper[find.bytes[j]]) return false;
            ++j;
        }
    }
    return true;
}

std::size_t find_whole_chars(const CharTables& t, Text text, std::size_t from, Text find) {
    for (std::size_t at = from; at + find.length <= text.length; at += char_size(t, text, at)) {
        if (matches_whole_chars(t, text, at, find)) return at;
    }
    return kNoMatch;
}

// Boyer-Moore with only the bad-character rule: the shift comes from the
// text byte under the last place of the search text.
std::size_t find_with_shift_table(Text text, std::size_t from, Text find) {
    const std::size_t m = find.length;
    std::uint32_t shift[256];
    for (std::uint32_t& s : shift) s = static_cast<std::uint32_t>(m);
    for (std::size_t j = 0; j + 1 < m; ++j) shift[find.bytes[j]] = static_cast<std::uint32_t>(m - 1 - j);
    const std::uint8_t last = find.bytes[m - 1];
    for (std::size_t at = from; at + m <= text.length;) {
        std::uint8_t under = text.bytes[at + m - 1];
        if (under == last && std::memcmp(text.bytes + at, find.bytes, m - 1) == 0) return at;
        at += shift[under];
    }
    return kNoMatch;
}

// First position at or after a 0-based byte offset where a character starts.
std::size_t char_start_from(const CharTables& t, Text text, std::size_t from) {
    if (!t.double_byte) return from;
    std::size_t at = 0;
    while (at < from && at < text.length) at += char_size(t, text, at);
    return at;
}

std::int32_t position_of(std::size_t at) {
    return at == kNoMatch ? 0 : static_cast<std::int32_t>(at + 1);
}

std::size_t first_match(RuntimeString* s, RuntimeString* find) {
    return find_ignoring_case(char_tables(), text_of(s), 0, text_of(find));
}

}  // namespace

std::size_t find_ignoring_case(const CharTables& t, Text text, std::size_t from, Text find) {
    const std::size_t m = find.length;
    if (from > text.length || m > text.length - from) return kNoMatch;
    if (t.double_byte) return find_whole_chars(t, text, from, find);
    const std::uint8_t first = t.upper[find.bytes[0]];
    for (std::size_t at = from, last = text.length - m; at <= last; ++at) {
        if (t.upper[text.bytes[at]] != first) continue;
        std::size_t j = 1;
        while (j < m && t.upper[text.bytes[at + j]] == t.upper[find.bytes[j]]) ++j;
        if (j == m) return at;
    }
    return kNoMatch;
}

std::size_t find_exact(Text text, std::size_t from, Text find) {
    const std::size_t m = find.length;
    if (from > text.length || m > text.length - from) return kNoMatch;
    if (m > kShortSearchText && text.length - from - m + 1 > kFewStarts) return find_with_shift_table(text, from, find);
    const std::uint8_t* at = text.bytes + from;
    const std::uint8_t* last = text.bytes + text.length - m;
    while (at <= last) {
        at = static_cast<const std::uint8_t*>(std::memchr(at, find.bytes[0], static_cast<std::size_t>(last - at) + 1));
        if (!at) return kNoMatch;
        if (std::memcmp(at + 1, find.bytes + 1, m - 1) == 0) return static_cast<std::size_t>(at - text.bytes);
        ++at;
    }
    return kNoMatch;
}

extern "C" std::int32_t StringInStr(std::int32_t start, RuntimeString* s, RuntimeString* find) {
    if (start < 1) start = 1;
    if (static_cast<std::uint32_t>(start) > string_length(s)) return 0;
    if (!find) return start;
    const CharTables& t = char_tables();
    std::size_t from = char_start_from(t, text_of(s), static_cast<std::size_t>(start) - 1);
    return position_of(find_ignoring_case(t, text_of(s), from, text_of(find)));
}

extern "C" std::int32_t StringInStrB(std::int32_t start, RuntimeString* s, RuntimeString* find) {
    if (start < 1) start = 1;
    if (static_cast<std::uint32_t>(start) > string_length(s)) return 0;
    if (!find) return start;
    return position_of(find_exact(text_of(s), static_cast<std::size_t>(start) - 1, text_of(find)));
}

extern "C" RuntimeString* StringReplace(RuntimeString* s, RuntimeString* find, RuntimeString* with) {
    std::size_t at = find ? first_match(s, find) : kNoMatch;
    if (at == kNoMatch) {
        RuntimeLockString(s);
        return s;
    }
    const std::size_t n = s->length, m = find->length, w = string_length(with);
    if (n - m + w == 0) return nullptr;
    RuntimeString* result = string_allocate(n - m + w);
    std::uint8_t* out = string_bytes(result);
    std::memcpy(out, string_data(s), at);
    std::memcpy(out + at, string_data(with), w);
    std::memcpy(out + at + w, string_data(s) + at + m, n - at - m);
    return result;
}

extern "C" RuntimeString* StringReplaceAll(RuntimeString* s, RuntimeString* find, RuntimeString* with) {
    const CharTables& t = char_tables();
    const Text text = text_of(s), pattern = text_of(find), replacement = text_of(with);
    std::size_t count = 0;
    if (find) {
        for (std::size_t at = 0; (at = find_ignoring_case(t, text, at, pattern)) != kNoMatch; at += pattern.length) ++count;
    }
    if (count == 0) {
        RuntimeLockString(s);
        return s;
    }
    const std::size_t n = text.length - count * pattern.length + count * replacement.length;
    if (n == 0) return nullptr;
    RuntimeString* result = string_allocate(n);
    std::uint8_t* out = string_bytes(result);
    std::size_t copied = 0;
    for (std::size_t at = 0; (at = find_ignoring_case(t, text, at, pattern)) != kNoMatch; at += pattern.length) {
        std::memcpy(out, text.bytes + copied, at - copied);
        out += at - copied;
        std::memcpy(out, replacement.bytes, replacement.length);
        out += replacement.length;
        copied = at + pattern.length;
    }
    std::memcpy(out, text.bytes + copied, text.length - copied);
    return result;
}
