#include "compiler.h"

#include <stdexcept>

#include "checker.h"
#include "parser.h"
#include "prelude.h"

namespace tavoc {

CompileResult compile(const std::vector<SourceFile>& sources, const std::vector<PluginFile>& plugins) {
    CompileResult result;
    Diagnostics diags(sources);
    Program program;
    load_prelude(kPreludeText, program, diags);
    for (std::size_t i = 0; i < sources.size(); ++i) parse_file(tokenize(sources[i], static_cast<int>(i), diags), program, diags);
    if (!diags.has_errors()) check_program(program, diags);
    if (!diags.has_errors()) {
        try {
            ImageOutput image;
            write_image(program, plugins, image, diags);
            result.blocks = std::move(image.blocks);
            result.map = std::move(image.map);
        } catch (const std::logic_error& e) {
            diags.error(Pos{-1, 0, 0}, std::string("internal error: ") + e.what());
        }
    }
    result.errors = diags.messages();
    result.ok = !diags.has_errors();
    return result;
}

}  // namespace tavoc
