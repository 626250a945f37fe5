// One compilation: sources in, an application image (or errors) out.
#pragma once

#include <string>
#include <vector>

#include "diagnostics.h"
#include "image_file.h"
#include "image_writer.h"

namespace tavoc {

struct CompileResult {
    bool ok = false;
    image::Blocks blocks;
    std::string map;
    std::vector<std::string> errors;  // "file:line:column: message"
};

CompileResult compile(const std::vector<SourceFile>& sources, const std::vector<PluginFile>& plugins = {});

}  // namespace tavoc
