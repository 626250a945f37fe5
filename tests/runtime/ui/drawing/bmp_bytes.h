// BMP files and packed DIBs built byte by byte, so that tests can make them
// lie about themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpLayout {
    std::int32_t width = 0, height = 0;  // height < 0: top row first
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t header_size = 40;  // 12: the old core header
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // red, green, blue after a 40-byte header
    std::vector<std::uint8_t> rows;      // as stored, padding included
};

inline void put_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void patch_le(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Info header, masks, colour table and rows.
inline std::string packed_dib(const BmpLayout& s) {
    std::string out;
    put_le(out, s.header_size, 4);
    if (s.header_size == 12) {
        put_le(out, static_cast<std::uint32_t>(s.width), 2);
        put_le(out, static_cast<std::uint32_t>(s.height), 2);
        put_le(out, 1, 2);
        put_le(out, s.bits, 2);
    } else {
        put_le(out, static_cast<std::uint32_t>(s.width), 4);
        put_le(out, static_cast<std::uint32_t>(s.height), 4);
        put_le(out, 1, 2);
        put_le(out, s.bits, 2);
        put_le(out, s.compression, 4);
        put_le(out, static_cast<std::uint32_t>(s.rows.size()), 4);
        put_le(out, 2835, 4);
        put_le(out, 2835, 4);
        put_le(out, static_cast<std::uint32_t>(s.palette.size()), 4);
        put_le(out, 0, 4);
        out.resize(s.header_size, '\0');
        for (std::uint32_t m : s.masks) put_le(out, m, 4);
    }
    for (std::uint32_t c : s.palette) put_le(out, c, s.header_size == 12 ? 3 : 4);
    out.append(reinterpret_cast<const char*>(s.rows.data()), s.rows.size());
    return out;
}

// The same behind a file header; the pixel offset follows the colour table.
inline std::string bmp_file(const BmpLayout& s) {
    const std::string dib = packed_dib(s);
    std::string out = "BM";
    put_le(out, static_cast<std::uint32_t>(14 + dib.size()), 4);
    put_le(out, 0, 4);
    put_le(out, static_cast<std::uint32_t>(14 + dib.size() - s.rows.size()), 4);
    return out + dib;
}
