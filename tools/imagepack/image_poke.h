// Writes one word of an image's data block, found through the compiler's
// map, so that tests can build damaged images from compiled ones.
//
// WHERE is a data object of the map with a byte offset ("class App+8"),
// optionally followed by ">+N" steps: read the word there as a data offset
// (images hold data offsets before relocation) and go N bytes past it.
#pragma once

#include <cstdint>
#include <string>

bool poke_image(const std::string& image_path, const std::string& map_path, const std::string& where,
                std::uint32_t value, const std::string& out_path, std::string& error);
