// BMP files and packed DIBs (an info header, its colour table and the
// pixel rows, as in a global memory handle). Reading checks every size the
// headers give against the bytes there are; a header that lies gives nil.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeObject;
struct PictureData;

// A new Picture from a BMP file's bytes; nil when they are no BMP file of
// 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed or with bit fields.
RuntimeObject* bmp_read_file(const std::uint8_t* bytes, std::size_t size);
// The same for a packed DIB.
RuntimeObject* bmp_read_packed_dib(const std::uint8_t* bytes, std::size_t size);

// The size of the 24-bit BMP file of a picture, and the file itself written
// into `out`, which has that many bytes.
std::size_t bmp_file_size(const PictureData& picture);
void bmp_write_file(const PictureData& picture, std::uint8_t* out);
