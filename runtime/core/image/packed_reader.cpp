#include "image/packed_reader.h"

#include "strings/runtime_string.h"

bool PackedReader::packed(std::int32_t& out) {
    const std::uint8_t* p = at_;
    if (p >= end_) return false;
    std::uint8_t first = *p++;
    bool negative = first & 0x40;
    std::uint32_t magnitude = first & 0x3F;
    bool more = first & 0x80;
    for (int shift = 6; more; shift += 7) {
        if (p >= end_ || shift > 27) return false;
        std::uint8_t next = *p++;
        magnitude |= static_cast<std::uint32_t>(next & 0x7F) << shift;
        more = next & 0x80;
    }
    at_ = p;
    // The most negative integer has no positive magnitude to negate.
    out = negative && magnitude != 0x80000000u ? -static_cast<std::int32_t>(magnitude)
                                               : static_cast<std::int32_t>(magnitude);
    return true;
}

bool PackedReader::u8(std::uint8_t& out) {
    if (at_ >= end_) return false;
    out = *at_++;
    return true;
}

bool PackedReader::u32_big_endian(std::uint32_t& out) {
    if (end_ - at_ < 4) return false;
    out = (static_cast<std::uint32_t>(at_[0]) << 24) | (at_[1] << 16) | (at_[2] << 8) | at_[3];
    at_ += 4;
    return true;
}

bool PackedReader::text(RuntimeString*& out) {
    const std::uint8_t* start = at_;
    std::int32_t length;
    if (!packed(length)) return false;
    if (length > 0 && end_ - at_ < length) {
        at_ = start;
        return false;
    }
    out = length > 0 ? string_from_bytes(at_, static_cast<std::size_t>(length)) : nullptr;
    if (length > 0) at_ += length;
    return true;
}
