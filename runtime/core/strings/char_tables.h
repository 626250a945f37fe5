// Byte tables from the system locale, built on first use, that the string
// functions classify and fold bytes with. On a double-byte system the
// character-aware paths are taken and the case maps apply only to
// single-byte characters.
#pragma once

#include <cstdint>

struct CharTables {
    bool double_byte;              // some byte is a lead byte
    std::uint8_t lead[256];        // 1: first byte of a two-byte character
    std::uint8_t upper[256];
    std::uint8_t lower[256];
    std::uint8_t blank[256];       // 1: space or blank
    std::uint8_t collation[256];   // the byte's place in the system's sort order
};

const CharTables& char_tables();
