// Decoding BMP pixels into a picture. All offsets and sizes are checked in
// 64-bit arithmetic against the bytes given before anything is read.
#include <cstring>

#include "bmp_format.h"
#include "picture.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0, kBitFields = 3;
// A side beyond this is no real picture; it also keeps row sizes small.
constexpr std::int64_t kMaxSide = 65535;

std::uint32_t u16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Layout {
    std::int64_t width, height;  // height > 0; top_down says the row order
    bool top_down;
    std::uint32_t bits;
    std::uint32_t compression;
    std::uint32_t masks[3];       // red, green, blue for bit fields
    const std::uint8_t* palette;  // null without one
    std::uint32_t palette_count;
    std::uint32_t palette_entry;  // 3 or 4 bytes
    const std::uint8_t* rows;
    std::int64_t row_bytes;
};

// One channel of a bit-field pixel, scaled to 0-255.
struct Channel {
    std::uint32_t mask = 0, shift = 0, max = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    std::uint32_t value(std::uint32_t pixel) const {
        if (!mask) return 0;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

bool valid_masks(const std::uint32_t (&masks)[3], std::uint32_t bits) {
    const std::uint64_t limit = bits == 32 ? 0xFFFFFFFFull : 0xFFFFull;
    for (std::uint32_t m : masks) {
        if (m > limit) return false;
        // A mask is one run of bits.
        if (m) {
            std::uint32_t shifted = m;
            while (!(shifted & 1)) shifted >>= 1;
            if (shifted & (shifted + 1)) return false;
        }
    }
    return true;
}

// Reads the info header at `header` (bytes up to `end` are there) and the
// colour table after it. `rows_offset` is where the pixel rows start, or 0
// for right after the colour table.
bool read_layout(const std::uint8_t* start, std::size_t size, std::size_t header_offset, std::uint64_t rows_offset,
                 Layout& out) {
    if (header_offset + 4 > size) return false;
    const std::uint8_t* h = start + header_offset;
    const std::uint32_t header_size = u32(h);
    if (header_size != kCoreHeaderSize && (header_size < kInfoHeaderSize || header_size > 1024)) return false;
    if (header_offset + header_size > size) return false;
    std::uint64_t table = header_offset + header_size;
    std::uint32_t used = 0;
    if (header_size == kCoreHeaderSize) {
        out.width = u16(h + 4);
        out.height = u16(h + 6);
        out.top_down = false;
        out.bits = u16(h + 10);
        out.compression = kRgb;
        out.palette_entry = 3;
    } else {
        const std::int32_t width = static_cast<std::int32_t>(u32(h + 4));
        const std::int32_t height = static_cast<std::int32_t>(u32(h + 8));
        out.width = width;
        out.top_down = height < 0;
        out.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
        out.bits = u16(h + 14);
        out.compression = u32(h + 16);
        used = u32(h + 32);
        out.palette_entry = 4;
        if (out.compression == kBitFields) {
            // Version 1 headers keep the masks after themselves.
            if (header_size == kInfoHeaderSize) {
                if (table + 12 > size) return false;
                for (int i = 0; i < 3; ++i) out.masks[i] = u32(start + table + 4 * i);
                table += 12;
            } else {
                if (header_size < 52) return false;
                for (int i = 0; i < 3; ++i) out.masks[i] = u32(h + 40 + 4 * i);
            }
        }
    }
    if (out.width <= 0 || out.height <= 0 || out.width > kMaxSide || out.height > kMaxSide) return false;
    switch (out.bits) {
        case 1: case 4: case 8: case 24: if (out.compression != kRgb) return false; break;
        case 16: case 32:
            if (out.compression == kRgb) {
                const std::uint32_t five = 0x1F;
                if (out.bits == 16) out.masks[0] = five << 10, out.masks[1] = five << 5, out.masks[2] = five;
                else out.masks[0] = 0xFF0000, out.masks[1] = 0xFF00, out.masks[2] = 0xFF;
            } else if (out.compression != kBitFields || !valid_masks(out.masks, out.bits)) {
                return false;
            }
            break;
        default: return false;
    }
    out.palette = nullptr;
    out.palette_count = 0;
    if (out.bits <= 8) {
        const std::uint32_t most = 1u << out.bits;
        if (used > most) return false;
        out.palette_count = used ? used : most;
    } else if (used > 0 && used <= 256) {
        table += static_cast<std::uint64_t>(used) * out.palette_entry;  // an optional table, not used
    } else if (used > 256) {
        return false;
    }
    if (out.palette_count) {
        const std::uint64_t table_end = table + static_cast<std::uint64_t>(out.palette_count) * out.palette_entry;
        if (table_end > size) return false;
        out.palette = start + table;
        table = table_end;
    }
    if (table > size) return false;
    if (rows_offset == 0) rows_offset = table;
    else if (rows_offset < header_offset + header_size) return false;
    out.row_bytes = (out.width * out.bits + 31) / 32 * 4;
    const std::uint64_t rows_size = static_cast<std::uint64_t>(out.row_bytes) * static_cast<std::uint64_t>(out.height);
    if (rows_offset > size || rows_size > size - rows_offset) return false;
    out.rows = start + rows_offset;
    return true;
}

std::uint32_t palette_colour(const Layout& layout, std::uint32_t index) {
    // An index past the colour table reads as black.
    if (index >= layout.palette_count) return 0;
    const std::uint8_t* entry = layout.palette + index * layout.palette_entry;
    return (static_cast<std::uint32_t>(entry[2]) << 16) | (entry[1] << 8) | entry[0];
}

void decode_row(const Layout& layout, const std::uint8_t* row, std::uint32_t* out, const Channel (&channels)[3]) {
    const std::int64_t width = layout.width;
    for (std::int64_t x = 0; x < width; ++x) {
        std::uint32_t rgb = 0;
        switch (layout.bits) {
            case 1: rgb = palette_colour(layout, (row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: rgb = palette_colour(layout, (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); break;
            case 8: rgb = palette_colour(layout, row[x]); break;
            case 24: rgb = (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x]; break;
            default: {
                const std::uint32_t pixel = layout.bits == 16 ? u16(row + 2 * x) : u32(row + 4 * x);
                rgb = (channels[0].value(pixel) << 16) | (channels[1].value(pixel) << 8) | channels[2].value(pixel);
            }
        }
        out[x] = rgb;
    }
}

RuntimeObject* decode(const Layout& layout) {
    RuntimeObject* picture = picture_new(static_cast<std::int32_t>(layout.width), static_cast<std::int32_t>(layout.height));
    PictureData* data = picture_data(picture);
    if (!data) return nullptr;
    const Channel channels[3] = {Channel(layout.masks[0]), Channel(layout.masks[1]), Channel(layout.masks[2])};
    for (std::int64_t y = 0; y < layout.height; ++y) {
        const std::int64_t source_row = layout.top_down ? y : layout.height - 1 - y;
        decode_row(layout, layout.rows + source_row * layout.row_bytes, &picture_pixel(*data, 0, static_cast<std::int32_t>(y)),
                   channels);
    }
    return picture;
}

}  // namespace

RuntimeObject* bmp_read_file(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
    const std::uint32_t rows_offset = u32(bytes + 10);
    Layout layout = {};
    if (rows_offset < kFileHeaderSize || !read_layout(bytes, size, kFileHeaderSize, rows_offset, layout)) return nullptr;
    return decode(layout);
}

RuntimeObject* bmp_read_packed_dib(const std::uint8_t* bytes, std::size_t size) {
    Layout layout = {};
    if (!bytes || !read_layout(bytes, size, 0, 0, layout)) return nullptr;
    return decode(layout);
}
