// Byte slices and single bytes.
#include "strings/string_functions.h"
#include "strings/string_text.h"

namespace {

std::size_t clamp_count(std::int32_t n, std::size_t length) {
    if (n <= 0) return 0;
    return static_cast<std::uint32_t>(n) < length ? static_cast<std::size_t>(n) : length;
}

}  // namespace

extern "C" RuntimeString* StringLeft(RuntimeString* s, std::int32_t n) {
    return string_slice(s, 0, clamp_count(n, string_length(s)));
}

extern "C" RuntimeString* StringRight(RuntimeString* s, std::int32_t n) {
    std::size_t count = clamp_count(n, string_length(s));
    return string_slice(s, string_length(s) - count, count);
}

extern "C" RuntimeString* StringMid2(RuntimeString* s, std::int32_t start) {
    std::size_t length = string_length(s);
    if (start <= 1) return string_slice(s, 0, length);
    if (static_cast<std::uint32_t>(start) > length) return nullptr;
    return string_slice(s, static_cast<std::size_t>(start) - 1, length - (static_cast<std::size_t>(start) - 1));
}

extern "C" RuntimeString* StringMid3(RuntimeString* s, std::int32_t start, std::int32_t count) {
    std::size_t first, taken;
    if (!mid_range(start, count, string_length(s), &first, &taken)) return nullptr;
    return string_slice(s, first, taken);
}

extern "C" std::int32_t StringLen(RuntimeString* s) { return static_cast<std::int32_t>(string_length(s)); }

extern "C" std::int32_t StringAsc(RuntimeString* s) { return s ? string_data(s)[0] : 0; }

extern "C" RuntimeString* StringChr(std::int32_t code) {
    auto byte = static_cast<std::uint8_t>(code);
    return string_from_bytes(&byte, 1);
}
