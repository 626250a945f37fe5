// A plugin's member declaration text, as "List(row As Integer) As String".
#include <string>

#include "declaration_parser.h"
#include "fuzz_shim.h"
#include "strings/runtime_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    ParsedDeclaration parsed = {};
    RuntimeUnlockString(parse_declaration(text.c_str(), parsed));
    return 0;
}
