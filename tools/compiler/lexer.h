// Turns one source text into tokens. Names and keywords are both `Name`
// tokens (the language ignores letter case; the parser decides what is a
// keyword). Line ends are tokens because statements end at them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace tavoc {

enum class Tok { Name, Integer, Real, String, Punct, Newline, End };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // name as written, string contents, or punctuation
    std::int64_t int_value = 0;
    double real_value = 0;
    Pos pos;
};

std::vector<Token> tokenize(const SourceFile& file, int file_index, Diagnostics& diags);

// Case-insensitive comparison used for every name of the language.
bool same_name(const std::string& a, const std::string& b);
std::string lower(const std::string& s);

}  // namespace tavoc
