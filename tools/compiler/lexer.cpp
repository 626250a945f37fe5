#include "lexer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tavoc {

std::string lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

namespace {

class Lexer {
public:
    Lexer(const SourceFile& file, int index, Diagnostics& diags) : src_(file.text), file_(index), diags_(diags) {}

    std::vector<Token> run() {
        while (i_ < src_.size()) step();
        newline();
        Token end;
        end.kind = Tok::End;
        end.pos = here();
        out_.push_back(end);
        return out_;
    }

private:
    Pos here() const { return Pos{file_, line_, static_cast<int>(i_ - line_start_) + 1}; }
    char peek(std::size_t ahead = 0) const { return i_ + ahead < src_.size() ? src_[i_ + ahead] : '\0'; }

    void newline() {
        if (!out_.empty() && out_.back().kind != Tok::Newline) {
            Token t;
            t.kind = Tok::Newline;
            t.pos = here();
            out_.push_back(t);
        }
    }

    void skip_to_line_end() {
        while (i_ < src_.size() && src_[i_] != '\n') ++i_;
    }

    void step() {
        char c = peek();
        if (c == '\n') {
            newline();
            ++i_;
            ++line_;
            line_start_ = i_;
            return;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i_;
            return;
        }
        if (c == '\'' || (c == '/' && peek(1) == '/')) {
            skip_to_line_end();
            return;
        }
        if (c == '_' && !is_name_char(peek(1))) {  // line continuation
            std::size_t j = i_ + 1;
            while (j < src_.size() && (src_[j] == ' ' || src_[j] == '\t' || src_[j] == '\r')) ++j;
            if (j >= src_.size() || src_[j] == '\n' || src_[j] == '\'') {
                i_ = j;
                skip_to_line_end();
                if (i_ < src_.size()) {
                    ++i_;
                    ++line_;
                    line_start_ = i_;
                }
                return;
            }
        }
        Pos pos = here();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return name(pos);
        if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && std::isdigit(static_cast<unsigned char>(peek(1)))))
            return number(pos);
        if (c == '&' && std::strchr("hHbBoO", peek(1)) && peek(1) != '\0') return radix_number(pos);
        if (c == '"') return string(pos);
        static const char* two[] = {"<>", "<=", ">=", nullptr};
        for (const char** p = two; *p; ++p)
            if (c == (*p)[0] && peek(1) == (*p)[1]) return punct(pos, *p, 2);
        if (std::strchr("+-*/\\=<>(),.&^:", c)) return punct(pos, std::string(1, c), 1);
        diags_.error(pos, std::string("unexpected character '") + c + "'");
        ++i_;
    }

    static bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    void name(Pos pos) {
        std::size_t start = i_;
        while (is_name_char(peek())) ++i_;
        Token t;
        t.kind = Tok::Name;
        t.text = src_.substr(start, i_ - start);
        t.pos = pos;
        if (same_name(t.text, "rem")) {
            skip_to_line_end();
            return;
        }
        out_.push_back(t);
    }

    void number(Pos pos) {
        std::size_t start = i_;
        bool real = false;
        while (std::isdigit(static_cast<unsigned char>(peek()))) ++i_;
        if (peek() == '.' && std::isdigit(static_cast<unsigned char>(peek(1)))) {
            real = true;
            ++i_;
            while (std::isdigit(static_cast<unsigned char>(peek()))) ++i_;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (std::isdigit(static_cast<unsigned char>(peek(1))) ||
             ((peek(1) == '+' || peek(1) == '-') && std::isdigit(static_cast<unsigned char>(peek(2)))))) {
            real = true;
            i_ += 2;
            while (std::isdigit(static_cast<unsigned char>(peek()))) ++i_;
        }
        Token t;
        t.pos = pos;
        t.text = src_.substr(start, i_ - start);
        if (real) {
            t.kind = Tok::Real;
            t.real_value = std::strtod(t.text.c_str(), nullptr);
        } else {
            t.kind = Tok::Integer;
            unsigned long long v = std::strtoull(t.text.c_str(), nullptr, 10);
            if (t.text.size() > 10 || v > 0xFFFFFFFFull) diags_.error(pos, "integer literal " + t.text + " does not fit in 32 bits");
            t.int_value = static_cast<std::int64_t>(v);
        }
        if (is_name_char(peek())) diags_.error(here(), "letter directly after a number");
        out_.push_back(t);
    }

    void radix_number(Pos pos) {
        char r = static_cast<char>(std::tolower(static_cast<unsigned char>(peek(1))));
        int base = r == 'h' ? 16 : r == 'b' ? 2 : 8;
        i_ += 2;
        std::size_t start = i_;
        unsigned long long v = 0;
        while (std::isxdigit(static_cast<unsigned char>(peek()))) {
            int d = std::isdigit(static_cast<unsigned char>(peek())) ? peek() - '0' : std::tolower(peek()) - 'a' + 10;
            if (d >= base) break;
            v = v * base + d;
            if (v > 0xFFFFFFFFull) break;
            ++i_;
        }
        if (i_ == start || v > 0xFFFFFFFFull || is_name_char(peek())) {
            diags_.error(pos, "malformed number literal");
            while (is_name_char(peek())) ++i_;
        }
        Token t;
        t.kind = Tok::Integer;
        t.pos = pos;
        t.text = "&" + std::string(1, r) + src_.substr(start, i_ - start);
        t.int_value = static_cast<std::int64_t>(v);
        out_.push_back(t);
    }

    void string(Pos pos) {
        ++i_;
        std::string text;
        for (;;) {
            if (i_ >= src_.size() || peek() == '\n') {
                diags_.error(pos, "string literal is not closed on its line");
                break;
            }
            if (peek() == '"') {
                if (peek(1) == '"') {
                    text += '"';
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            text += src_[i_++];
        }
        Token t;
        t.kind = Tok::String;
        t.text = text;
        t.pos = pos;
        out_.push_back(t);
    }

    void punct(Pos pos, const std::string& text, std::size_t length) {
        Token t;
        t.kind = Tok::Punct;
        t.text = text;
        t.pos = pos;
        i_ += length;
        out_.push_back(t);
    }

    const std::string& src_;
    int file_;
    Diagnostics& diags_;
    std::size_t i_ = 0;
    int line_ = 1;
    std::size_t line_start_ = 0;
    std::vector<Token> out_;
};

}  // namespace

std::vector<Token> tokenize(const SourceFile& file, int file_index, Diagnostics& diags) {
    return Lexer(file, file_index, diags).run();
}

}  // namespace tavoc
