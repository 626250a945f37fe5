// A plugin's member declaration text, as "List(row As Integer) As String".
#include <string>

#include "declaration_parser.h"
#include "fuzz_shim.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t baseline = fuzz_memory_in_use();
    ParsedDeclaration parsed = {};
    RuntimeUnlockString(parse_declaration(text.c_str(), parsed));
    // An accepted declaration lives as long as its plugin; here it goes at once.
    RuntimeUnlockString(parsed.name);
    RuntimeUnlockString(parsed.parameter_text);
    runtime_free(parsed.parameters, parsed.parameter_count * sizeof(DeclaredParameter));
    fuzz_expect_memory(baseline);
    return 0;
}
