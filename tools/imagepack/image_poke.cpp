#include "image_poke.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "image_file.h"

namespace {

// The data offset of a named object in the map's "data objects" section.
bool find_data_object(const std::string& map_path, const std::string& name, std::uint32_t& offset,
                      std::string& error) {
    std::ifstream map(map_path);
    if (!map) {
        error = map_path + ": cannot be read";
        return false;
    }
    bool in_data = false;
    for (std::string line; std::getline(map, line);) {
        if (line.rfind("data objects", 0) == 0) {
            in_data = true;
            continue;
        }
        if (!in_data) continue;
        if (line.empty()) break;
        std::istringstream fields(line);
        std::string hex, object;
        std::uint32_t size;
        if (!(fields >> hex >> size)) continue;
        std::getline(fields >> std::ws, object);
        if (object == name) {
            offset = static_cast<std::uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
            return true;
        }
    }
    error = map_path + " lists no data object \"" + name + "\"";
    return false;
}

bool parse_offset(const std::string& text, std::uint32_t& out) {
    char* end = nullptr;
    out = static_cast<std::uint32_t>(std::strtoul(text.c_str(), &end, 0));
    return !text.empty() && *end == 0;
}

}  // namespace

bool poke_image(const std::string& image_path, const std::string& map_path, const std::string& where,
                std::uint32_t value, const std::string& out_path, std::string& error) {
    image::Bytes bytes;
    image::Blocks blocks;
    if (!image::read_file(image_path, bytes, error) || !image::parse(bytes, blocks, error)) return false;

    std::size_t plus = where.find('+');
    std::size_t step = where.find('>');
    if (plus == std::string::npos || (step != std::string::npos && step < plus)) {
        error = "\"" + where + "\" is not NAME+OFFSET[>+OFFSET]...";
        return false;
    }
    std::uint32_t at, offset;
    if (!find_data_object(map_path, where.substr(0, plus), at, error)) return false;
    std::string rest = where.substr(plus + 1);
    for (;;) {
        std::size_t next = rest.find(">+");
        if (!parse_offset(rest.substr(0, next), offset)) {
            error = "bad offset in \"" + where + "\"";
            return false;
        }
        at += offset;
        if (at + 4 > blocks.data.size() || at + 4 < at) {
            error = "\"" + where + "\" lies outside the data block";
            return false;
        }
        if (next == std::string::npos) break;
        at = image::get_u32(blocks.data, at);
        rest = rest.substr(next + 2);
    }
    image::Bytes word;
    image::put_u32(word, value);
    std::copy(word.begin(), word.end(), blocks.data.begin() + at);
    return image::write_file(out_path, image::serialize(blocks), error);
}
