// Case conversion through the case maps; two-byte characters pass unchanged.
#include "strings/string_functions.h"
#include "strings/string_text.h"

namespace {

enum class CaseStyle { upper, lower, title };

RuntimeString* convert_case(RuntimeString* s, CaseStyle style) {
    if (!s) return nullptr;
    const CharTables& t = char_tables();
    const Text text = text_of(s);
    RuntimeString* result = string_allocate(text.length);
    std::uint8_t* out = string_bytes(result);
    bool word_start = true;
    for (std::size_t at = 0; at < text.length;) {
        const std::uint8_t byte = text.bytes[at];
        if (char_size(t, text, at) == 2) {
            out[at] = byte;
            out[at + 1] = text.bytes[at + 1];
            word_start = false;
            at += 2;
            continue;
        }
        bool raise = style == CaseStyle::upper || (style == CaseStyle::title && word_start);
        out[at] = raise ? t.upper[byte] : t.lower[byte];
        word_start = t.blank[byte] != 0;
        ++at;
    }
    return result;
}

}  // namespace

extern "C" RuntimeString* StringUCase(RuntimeString* s) { return convert_case(s, CaseStyle::upper); }

extern "C" RuntimeString* StringLCase(RuntimeString* s) { return convert_case(s, CaseStyle::lower); }

// Each word (after a blank) starts upper case, the rest is lower case.
extern "C" RuntimeString* StringTitleCase(RuntimeString* s) { return convert_case(s, CaseStyle::title); }
