// Reads the compact byte records of the image (window descriptions, the
// settings stream): packed integers of 1 to 5 bytes and texts behind a
// packed length. Every read is bounded; a read past the end fails and
// leaves its destination unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeString;

class PackedReader {
public:
    PackedReader(const std::uint8_t* bytes, std::size_t length) : at_(bytes), end_(bytes + length) {}

    bool packed(std::int32_t& out);
    bool u8(std::uint8_t& out);
    bool u32_big_endian(std::uint32_t& out);
    // A packed length and that many bytes; nil for a length of 0 or less.
    bool text(RuntimeString*& out);
    bool at_end() const { return at_ >= end_; }
    // Bytes left: a count read from the stream can never exceed it.
    std::size_t remaining() const { return at_ < end_ ? static_cast<std::size_t>(end_ - at_) : 0; }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};
