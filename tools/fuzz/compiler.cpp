// A whole compilation (lexer, parser, checker, code and image writers) of
// arbitrary source text.
#include <cstddef>
#include <cstdint>

#include "compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<tavoc::SourceFile> files{{"fuzz.tav", std::string(reinterpret_cast<const char*>(data), size)}};
    tavoc::compile(files);
    return 0;
}
