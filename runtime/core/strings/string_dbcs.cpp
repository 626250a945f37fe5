#include "strings/string_dbcs.h"

#include "strings/string_functions.h"
#include "strings/string_search.h"
#include "strings/string_text.h"

std::int32_t dbcs_length(const CharTables& t, RuntimeString* s) {
    return static_cast<std::int32_t>(char_count(t, text_of(s)));
}

RuntimeString* dbcs_left(const CharTables& t, RuntimeString* s, std::int32_t n) {
    if (n <= 0) return nullptr;
    return string_slice(s, 0, char_offset(t, text_of(s), static_cast<std::size_t>(n)));
}

RuntimeString* dbcs_right(const CharTables& t, RuntimeString* s, std::int32_t n) {
    if (n <= 0) return nullptr;
    const Text text = text_of(s);
    std::size_t chars = char_count(t, text);
    std::size_t skip = static_cast<std::size_t>(n) < chars ? chars - static_cast<std::size_t>(n) : 0;
    std::size_t at = char_offset(t, text, skip);
    return string_slice(s, at, text.length - at);
}

RuntimeString* dbcs_mid(const CharTables& t, RuntimeString* s, std::int32_t start, std::int32_t count) {
    const Text text = text_of(s);
    std::size_t first, taken;
    if (!mid_range(start, count, char_count(t, text), &first, &taken)) return nullptr;
    std::size_t begin = char_offset(t, text, first);
    return string_slice(s, begin, char_offset(t, text, first + taken) - begin);
}

std::int32_t dbcs_in_str(const CharTables& t, std::int32_t start, RuntimeString* s, RuntimeString* find) {
    const Text text = text_of(s);
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > char_count(t, text)) return 0;
    if (!find) return start;
    std::size_t at = find_ignoring_case(t, text, char_offset(t, text, static_cast<std::size_t>(start) - 1), text_of(find));
    if (at == kNoMatch) return 0;
    return static_cast<std::int32_t>(char_count(t, {text.bytes, at}) + 1);
}

std::int32_t dbcs_asc(const CharTables& t, RuntimeString* s) {
    const Text text = text_of(s);
    if (t.double_byte && text.length >= 2 && t.lead[text.bytes[0]]) return text.bytes[0] * 256 + text.bytes[1];
    return StringAsc(s);
}

RuntimeString* dbcs_chr(const CharTables& t, std::int32_t code) {
    auto lead = static_cast<std::uint8_t>(code >> 8);
    if (t.double_byte && lead && t.lead[lead]) {
        std::uint8_t bytes[2] = {lead, static_cast<std::uint8_t>(code)};
        return string_from_bytes(bytes, 2);
    }
    return StringChr(code);
}

extern "C" std::int32_t StringDBCSLen(RuntimeString* s) { return dbcs_length(char_tables(), s); }

extern "C" RuntimeString* StringDBCSLeft(RuntimeString* s, std::int32_t n) { return dbcs_left(char_tables(), s, n); }

extern "C" RuntimeString* StringDBCSRight(RuntimeString* s, std::int32_t n) { return dbcs_right(char_tables(), s, n); }

extern "C" RuntimeString* StringDBCSMid2(RuntimeString* s, std::int32_t start) {
    if (start <= 1) return string_slice(s, 0, string_length(s));
    return dbcs_mid(char_tables(), s, start, INT32_MAX);
}

extern "C" RuntimeString* StringDBCSMid3(RuntimeString* s, std::int32_t start, std::int32_t count) {
    return dbcs_mid(char_tables(), s, start, count);
}

extern "C" std::int32_t StringDBCSInStr(std::int32_t start, RuntimeString* s, RuntimeString* find) {
    return dbcs_in_str(char_tables(), start, s, find);
}

extern "C" std::int32_t StringDBCSAsc(RuntimeString* s) { return dbcs_asc(char_tables(), s); }

extern "C" RuntimeString* StringDBCSChr(std::int32_t code) { return dbcs_chr(char_tables(), code); }
