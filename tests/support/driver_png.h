// Writes 24-bit pictures as PNG files (stored, uncompressed blocks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width * height pixels, 3 bytes each, rows top to bottom.
bool write_png(const std::wstring& path, int width, int height, const std::vector<std::uint8_t>& rgb);
