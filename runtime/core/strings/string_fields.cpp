// Fields of a text separated by a separator text.
#include "strings/string_functions.h"
#include "strings/string_search.h"

namespace {

// A separator without letters matches exactly, which is the same result
// and lets the search skip ahead with memchr.
struct SeparatorSearch {
    const CharTables& tables;
    Text text;
    Text sep;
    bool ignore_case;

    SeparatorSearch(RuntimeString* s, RuntimeString* separator)
        : tables(char_tables()), text(text_of(s)), sep(text_of(separator)), ignore_case(false) {
        for (std::size_t i = 0; i < sep.length; ++i) {
            if (tables.upper[sep.bytes[i]] != tables.lower[sep.bytes[i]]) ignore_case = true;
        }
        // Exact search would also match inside two-byte characters.
        if (tables.double_byte) ignore_case = true;
    }

    std::size_t next(std::size_t from) const {
        return ignore_case ? find_ignoring_case(tables, text, from, sep) : find_exact(text, from, sep);
    }
};

}  // namespace

extern "C" std::int32_t StringCountFields(RuntimeString* s, RuntimeString* sep) {
    if (!s) return 0;
    if (!sep) return 1;
    SeparatorSearch search(s, sep);
    std::int32_t count = 1;
    for (std::size_t at = 0; (at = search.next(at)) != kNoMatch; at += sep->length) ++count;
    return count;
}

extern "C" RuntimeString* StringNthField(RuntimeString* s, RuntimeString* sep, std::int32_t n) {
    if (!s || !sep || n <= 0) return nullptr;
    SeparatorSearch search(s, sep);
    std::size_t begin = 0;
    for (std::int32_t field = 1; field < n; ++field) {
        std::size_t at = search.next(begin);
        if (at == kNoMatch) return nullptr;
        begin = at + sep->length;
    }
    std::size_t end = search.next(begin);
    if (end == kNoMatch) end = s->length;
    return string_slice(s, begin, end - begin);
}
