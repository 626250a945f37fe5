// Lays out the data block (entry point and project description pointers,
// variables, window descriptions, plugin list, class table, project items),
// runs the code generator, and writes the link records and the relocation
// stream that bind the code and data at load time. Also renders the map.
#pragma once

#include <string>
#include <vector>

#include "ast.h"
#include "image_file.h"

namespace tavoc {

struct PluginFile {
    std::string name;  // the file name the runtime writes it to, for example "tavosel1.dll"
    image::Bytes bytes;
};

struct ImageOutput {
    image::Blocks blocks;
    std::string map;
};

void write_image(Program& program, const std::vector<PluginFile>& plugins, ImageOutput& out, Diagnostics& diags);

// The relocation stream for the given relocated words (data offsets, sorted
// or not): runs of 1 to 512 words, gaps crossed by skip words.
struct Relocation {
    std::uint32_t offset;
    bool code_base;  // false: the data block's base
};
image::Bytes relocation_stream(std::vector<Relocation> words);

}  // namespace tavoc
