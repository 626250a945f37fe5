#include "objects/names.h"

std::uint8_t name_fold(std::uint8_t byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<std::uint8_t>(byte - 'a' + 'A') : byte;
}

int name_compare(const char* a, std::size_t a_length, const char* b, std::size_t b_length) {
    std::size_t n = a_length < b_length ? a_length : b_length;
    for (std::size_t i = 0; i < n; ++i) {
        int d = name_fold(static_cast<std::uint8_t>(a[i])) - name_fold(static_cast<std::uint8_t>(b[i]));
        if (d) return d;
    }
    return a_length < b_length ? -1 : (a_length > b_length ? 1 : 0);
}
