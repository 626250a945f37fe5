#include "image_file.h"

#include <fstream>
#include <iterator>

namespace image {

const char* const kLooseFileNames[4] = {"code1.dat", "code2.dat", "data1.dat", "data2.dat"};

void put_u16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t get_u32(const Bytes& in, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | in.at(offset + i);
    return value;
}

Bytes serialize(const Blocks& blocks) {
    Bytes out;
    for (const Bytes* block : {&blocks.code, &blocks.link, &blocks.data, &blocks.res}) {
        put_u32(out, static_cast<std::uint32_t>(block->size()));
        out.insert(out.end(), block->begin(), block->end());
    }
    return out;
}

bool parse(const Bytes& bytes, Blocks& out, std::string& error) {
    const char* names[4] = {"code", "link", "data", "relocation"};
    Bytes* blocks[4] = {&out.code, &out.link, &out.data, &out.res};
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (bytes.size() - pos < 4) {
            error = std::string("image ends before the length of its ") + names[i] + " block";
            return false;
        }
        std::uint32_t length = get_u32(bytes, pos);
        pos += 4;
        if (bytes.size() - pos < length) {
            error = std::string("image ends inside its ") + names[i] + " block";
            return false;
        }
        blocks[i]->assign(bytes.begin() + pos, bytes.begin() + pos + length);
        pos += length;
    }
    if (pos != bytes.size()) {
        error = "image has " + std::to_string(bytes.size() - pos) + " bytes after its last block";
        return false;
    }
    return true;
}

bool read_file(const std::string& path, Bytes& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool write_file(const std::string& path, const Bytes& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace image
