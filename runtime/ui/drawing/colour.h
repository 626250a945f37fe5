// Colours cross interfaces as 0x00RRGGBB. The drawing layer keeps each
// channel widened to 16 bits (x 257, so 0xFF becomes 0xFFFF) and narrows it
// again for GDI, which wants 0x00BBGGRR.
#pragma once

#include <windows.h>

#include <cstdint>

struct WideColour {
    std::uint16_t red, green, blue;
};

inline WideColour colour_widen(std::uint32_t rgb) {
    return {static_cast<std::uint16_t>(((rgb >> 16) & 0xFF) * 257), static_cast<std::uint16_t>(((rgb >> 8) & 0xFF) * 257),
            static_cast<std::uint16_t>((rgb & 0xFF) * 257)};
}

inline std::uint32_t colour_narrow(WideColour c) {
    return (static_cast<std::uint32_t>(c.red / 257) << 16) | (static_cast<std::uint32_t>(c.green / 257) << 8) |
           static_cast<std::uint32_t>(c.blue / 257);
}

inline COLORREF colour_for_gdi(WideColour c) { return RGB(c.red / 257, c.green / 257, c.blue / 257); }

inline std::uint32_t colour_from_gdi(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

// A pixel of a 32-bit DIB section holds 0x00RRGGBB as a little-endian word.
inline std::uint32_t colour_from_pixel(std::uint32_t pixel) { return pixel & 0xFFFFFF; }
