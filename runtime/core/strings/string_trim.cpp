// Leading and trailing blanks (the blank class of the character tables).
#include "strings/string_functions.h"
#include "strings/string_text.h"

namespace {

std::size_t leading_blanks(const CharTables& t, Text text) {
    std::size_t at = 0;
    while (at < text.length && t.blank[text.bytes[at]] && char_size(t, text, at) == 1) ++at;
    return at;
}

// Where the trailing blanks start. On a double-byte system the walk goes
// forward, since a trail byte cannot be told from a blank going backward.
std::size_t end_before_blanks(const CharTables& t, Text text) {
    if (!t.double_byte) {
        std::size_t end = text.length;
        while (end > 0 && t.blank[text.bytes[end - 1]]) --end;
        return end;
    }
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.length;) {
        std::size_t size = char_size(t, text, at);
        at += size;
        if (size == 2 || !t.blank[text.bytes[at - 1]]) end = at;
    }
    return end;
}

}  // namespace

extern "C" RuntimeString* runLTrim(RuntimeString* s) {
    const Text text = text_of(s);
    std::size_t begin = leading_blanks(char_tables(), text);
    return string_slice(s, begin, text.length - begin);
}

extern "C" RuntimeString* runRTrim(RuntimeString* s) {
    return string_slice(s, 0, end_before_blanks(char_tables(), text_of(s)));
}

extern "C" RuntimeString* runTrim(RuntimeString* s) {
    const CharTables& t = char_tables();
    const Text text = text_of(s);
    std::size_t end = end_before_blanks(t, text);
    std::size_t begin = leading_blanks(t, {text.bytes, end});
    return string_slice(s, begin, end - begin);
}
