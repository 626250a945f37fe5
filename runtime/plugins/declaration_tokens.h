// The runtime's tokenizer for member declarations: names, the language's
// keywords (letter case ignored) and punctuation.
#pragma once

#include <cstddef>

enum class TokenKind { End, Name, Keyword, Symbol, Number, Text, Other };

enum class Keyword { None, As, ByRef, ByVal, Other };

struct Token {
    TokenKind kind;
    Keyword keyword;  // for TokenKind::Keyword
    const char* start;
    std::size_t length;
    bool is(char symbol) const { return kind == TokenKind::Symbol && length == 1 && *start == symbol; }
};

class DeclarationTokens {
public:
    explicit DeclarationTokens(const char* text) : at_(text) {}
    Token next();
    Token peek();

private:
    const char* at_;
};
