#include "declaration_tokens.h"

#include "objects/names.h"

namespace {

struct KeywordRow {
    const char* text;
    Keyword keyword;
};

// Words of the language that can never name a type or a member.
const KeywordRow kKeywords[] = {
    {"As", Keyword::As},          {"ByRef", Keyword::ByRef},     {"ByVal", Keyword::ByVal},
    {"And", Keyword::Other},      {"Call", Keyword::Other},      {"Case", Keyword::Other},
    {"Catch", Keyword::Other},    {"Class", Keyword::Other},     {"Const", Keyword::Other},
    {"Declare", Keyword::Other},  {"Dim", Keyword::Other},       {"Do", Keyword::Other},
    {"Each", Keyword::Other},     {"Else", Keyword::Other},      {"ElseIf", Keyword::Other},
    {"End", Keyword::Other},      {"Event", Keyword::Other},     {"Exception", Keyword::Other},
    {"Exit", Keyword::Other},     {"False", Keyword::Other},     {"For", Keyword::Other},
    {"Function", Keyword::Other}, {"If", Keyword::Other},        {"In", Keyword::Other},
    {"Inherits", Keyword::Other}, {"Is", Keyword::Other},        {"IsA", Keyword::Other},
    {"Lib", Keyword::Other},      {"Loop", Keyword::Other},      {"Me", Keyword::Other},
    {"Mod", Keyword::Other},      {"New", Keyword::Other},       {"Next", Keyword::Other},
    {"Nil", Keyword::Other},      {"Not", Keyword::Other},       {"Or", Keyword::Other},
    {"Private", Keyword::Other},  {"Property", Keyword::Other},  {"Public", Keyword::Other},
    {"Raise", Keyword::Other},    {"Return", Keyword::Other},    {"Select", Keyword::Other},
    {"Self", Keyword::Other},     {"Step", Keyword::Other},      {"Sub", Keyword::Other},
    {"Super", Keyword::Other},    {"Then", Keyword::Other},      {"To", Keyword::Other},
    {"True", Keyword::Other},     {"Until", Keyword::Other},     {"Wend", Keyword::Other},
    {"While", Keyword::Other},    {"Xor", Keyword::Other},
};

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

Keyword keyword_of(const char* start, std::size_t length) {
    for (const KeywordRow& row : kKeywords) {
        std::size_t n = 0;
        while (row.text[n]) ++n;
        if (name_compare(row.text, n, start, length) == 0) return row.keyword;
    }
    return Keyword::None;
}

}  // namespace

Token DeclarationTokens::peek() {
    const char* saved = at_;
    Token token = next();
    at_ = saved;
    return token;
}

Token DeclarationTokens::next() {
    while (*at_ == ' ' || *at_ == '\t') ++at_;
    const char* start = at_;
    if (!*at_) return {TokenKind::End, Keyword::None, start, 0};
    if (is_letter(*at_)) {
        while (is_letter(*at_) || is_digit(*at_) || *at_ == '$') ++at_;
        std::size_t length = static_cast<std::size_t>(at_ - start);
        Keyword keyword = keyword_of(start, length);
        return {keyword == Keyword::None ? TokenKind::Name : TokenKind::Keyword, keyword, start, length};
    }
    if (is_digit(*at_)) {
        while (is_digit(*at_) || *at_ == '.') ++at_;
        return {TokenKind::Number, Keyword::None, start, static_cast<std::size_t>(at_ - start)};
    }
    if (*at_ == '"') {
        ++at_;
        while (*at_ && *at_ != '"') ++at_;
        if (*at_) ++at_;
        return {TokenKind::Text, Keyword::None, start, static_cast<std::size_t>(at_ - start)};
    }
    ++at_;
    switch (*start) {
        case '(': case ')': case ',': case '.': case '=': case '+': case '-': case '*': case '/': case '<': case '>':
            return {TokenKind::Symbol, Keyword::None, start, 1};
        default: return {TokenKind::Other, Keyword::None, start, 1};
    }
}
