// The compiler's lexer and parser on arbitrary source text.
#include <cstddef>
#include <cstdint>

#include "ast.h"
#include "lexer.h"
#include "parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<tavoc::SourceFile> files{{"fuzz.tav", std::string(reinterpret_cast<const char*>(data), size)}};
    tavoc::Diagnostics diags(files);
    std::vector<tavoc::Token> tokens = tavoc::tokenize(files[0], 0, diags);
    tavoc::Program program;
    tavoc::parse_file(tokens, program, diags);
    return 0;
}
