#include "strings/string_compare.h"

#include <windows.h>

#include <cstring>

#include "strings/string_functions.h"

namespace {

int sign_of(int d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }

int length_order(std::size_t a, std::size_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

int compare_bytes(Text a, Text b) {
    std::size_t n = a.length < b.length ? a.length : b.length;
    int d = n ? std::memcmp(a.bytes, b.bytes, n) : 0;
    return d ? sign_of(d) : length_order(a.length, b.length);
}

// CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN become -1, 0, 1; a failed
// comparison counts as equal.
int system_compare_ignoring_case(Text a, Text b) {
    int r = CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const char*>(a.bytes),
                           static_cast<int>(a.length), reinterpret_cast<const char*>(b.bytes), static_cast<int>(b.length));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

}  // namespace

int text_compare_ignoring_case(Text a, Text b) {
    const CharTables& t = char_tables();
    if (t.double_byte) return system_compare_ignoring_case(a, b);
    std::size_t n = a.length < b.length ? a.length : b.length;
    for (std::size_t i = 0; i < n; ++i) {
        int d = t.collation[t.upper[a.bytes[i]]] - t.collation[t.upper[b.bytes[i]]];
        if (d) return sign_of(d);
    }
    return length_order(a.length, b.length);
}

extern "C" std::int32_t StringStrCompare(RuntimeString* a, RuntimeString* b, std::int32_t mode) {
    return mode == 0 ? compare_bytes(text_of(a), text_of(b)) : text_compare_ignoring_case(text_of(a), text_of(b));
}

extern "C" std::int32_t RuntimeStringCompare(RuntimeString* a, RuntimeString* b) {
    return system_compare_ignoring_case(text_of(a), text_of(b));
}
