// Pictures are written as 24-bit BMP files, bottom row first, which every
// reader understands.
#include <cstring>

#include "bmp_format.h"
#include "picture.h"

namespace {

constexpr std::size_t kHeadersSize = 14 + 40;

std::size_t row_bytes(const PictureData& picture) { return (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4; }

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

}  // namespace

std::size_t bmp_file_size(const PictureData& picture) {
    return kHeadersSize + row_bytes(picture) * static_cast<std::size_t>(picture.height);
}

void bmp_write_file(const PictureData& picture, std::uint8_t* out) {
    const std::size_t size = bmp_file_size(picture), stride = row_bytes(picture);
    std::memset(out, 0, kHeadersSize);
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, static_cast<std::uint32_t>(size));
    put32(out + 10, kHeadersSize);
    std::uint8_t* info = out + 14;
    put32(info, 40);
    put32(info + 4, static_cast<std::uint32_t>(picture.width));
    put32(info + 8, static_cast<std::uint32_t>(picture.height));
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 20, static_cast<std::uint32_t>(size - kHeadersSize));
    put32(info + 24, 2835);  // 72 dots per inch
    put32(info + 28, 2835);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::uint8_t* row = out + kHeadersSize + stride * static_cast<std::size_t>(picture.height - 1 - y);
        std::memset(row, 0, stride);
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const std::uint32_t rgb = picture_pixel(picture, x, y);
            row[3 * x] = static_cast<std::uint8_t>(rgb);
            row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
}
