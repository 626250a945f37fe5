#include "strings/char_tables.h"

#include <windows.h>

namespace {

bool sorts_before(std::uint8_t a, std::uint8_t b) {
    char ca = static_cast<char>(a), cb = static_cast<char>(b);
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, 0, &ca, 1, &cb, 1) == CSTR_LESS_THAN;
}

// Binary insertion keeps bytes that sort equal in byte order, so the
// result does not depend on the comparison's ties.
void build_collation(CharTables& t) {
    std::uint8_t order[256];
    for (int n = 0; n < 256; ++n) {
        auto byte = static_cast<std::uint8_t>(n);
        int low = 0, high = n;
        while (low < high) {
            int middle = (low + high) / 2;
            if (sorts_before(byte, order[middle])) high = middle;
            else low = middle + 1;
        }
        for (int i = n; i > low; --i) order[i] = order[i - 1];
        order[low] = byte;
    }
    for (int place = 0; place < 256; ++place) t.collation[order[place]] = static_cast<std::uint8_t>(place);
}

CharTables build_char_tables() {
    CharTables t = {};
    for (int n = 0; n < 256; ++n) {
        auto byte = static_cast<std::uint8_t>(n);
        t.lead[n] = IsDBCSLeadByte(byte) ? 1 : 0;
        if (t.lead[n]) t.double_byte = true;
        char c = static_cast<char>(byte);
        CharUpperBuffA(&c, 1);
        t.upper[n] = static_cast<std::uint8_t>(c);
        c = static_cast<char>(byte);
        CharLowerBuffA(&c, 1);
        t.lower[n] = static_cast<std::uint8_t>(c);
        c = static_cast<char>(byte);
        WORD type = 0;
        GetStringTypeExA(LOCALE_SYSTEM_DEFAULT, CT_CTYPE1, &c, 1, &type);
        t.blank[n] = (type & (C1_SPACE | C1_BLANK)) ? 1 : 0;
    }
    build_collation(t);
    return t;
}

}  // namespace

const CharTables& char_tables() {
    static const CharTables tables = build_char_tables();
    return tables;
}
