// An application image as it is appended to runner.exe: four blocks (code,
// link, data, relocation stream), each a little-endian u32 length followed
// by that many bytes. Shared by the image writers and the packer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace image {

using Bytes = std::vector<std::uint8_t>;

struct Blocks {
    Bytes code;
    Bytes link;
    Bytes data;
    Bytes res;
};

// The loose-file names the runtime reads when no image is appended,
// in block order (code, link, data, relocation stream).
extern const char* const kLooseFileNames[4];

Bytes serialize(const Blocks& blocks);
// Parses exactly four blocks that fill `bytes`; false with a reason otherwise.
bool parse(const Bytes& bytes, Blocks& out, std::string& error);

bool read_file(const std::string& path, Bytes& out, std::string& error);
bool write_file(const std::string& path, const Bytes& bytes, std::string& error);

void put_u16(Bytes& out, std::uint16_t value);
void put_u32(Bytes& out, std::uint32_t value);
std::uint32_t get_u32(const Bytes& in, std::size_t offset);

}  // namespace image
