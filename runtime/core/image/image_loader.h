// Finds the application image (appended to the executable or as loose
// files), links and relocates it and calls its entry point.
#pragma once

#include <cstdint>

#include "strings/runtime_string.h"

struct ImageBlocks {
    std::uint8_t* code;  // page-granular, from VirtualAlloc
    std::uint32_t code_size;
    std::uint8_t* link;
    std::uint32_t link_size;
    std::uint8_t* data;
    std::uint32_t data_size;
    std::uint8_t* res;
    std::uint32_t res_size;
    std::uint32_t media_table_offset;  // 0xFFFFFFFF: none
};

// Null on success; otherwise the message to show. Blocks read so far are
// released on failure.
RuntimeString* read_image_blocks(ImageBlocks& out);
void release_image_blocks(ImageBlocks& blocks);

// False when the image could not be loaded (its message was shown).
bool load_and_enter_image();

// The image in memory, once loaded.
const std::uint8_t* image_code_base();
std::uint32_t image_code_size();
const std::uint8_t* image_data_base();
std::uint32_t image_data_size();
std::uint32_t image_media_table_offset();
