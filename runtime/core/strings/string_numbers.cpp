// Numbers to text in the default number format, and text to numbers.
#include "strings/string_numbers.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "objects/memory.h"
#include "strings/string_functions.h"
#include "strings/string_search.h"

namespace {

void locale_text(LCTYPE item, char (&out)[8], const char* fallback) {
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, item, out, sizeof out) <= 1) {
        std::strncpy(out, fallback, sizeof out - 1);
        out[sizeof out - 1] = 0;
    }
}

// 7 decimals; fixed notation from 0.00001 to 1,000,000 with trailing zeros
// and point dropped, scientific notation outside.
constexpr std::size_t kNumberTextSize = 48;

std::size_t default_number_text(double x, char (&out)[kNumberTextSize]) {
    if (x == 0) x = 0.0;  // no "-0"
    const double e = std::fabs(x);
    const bool fixed = e == 0 || (e >= 0.00001 && e <= 1000000.0);
    int n = std::snprintf(out, sizeof out, fixed ? "%.7f" : "%.7e", x);
    std::size_t length = n < 0 ? 0 : static_cast<std::size_t>(n);
    if (length >= sizeof out) length = sizeof out - 1;
    if (fixed) {
        while (length > 0 && out[length - 1] == '0') --length;
        if (length > 0 && out[length - 1] == '.') --length;
    }
    return length;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_c_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digit_value(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

double read_digits(Text text, std::size_t from, int base) {
    double value = 0;
    for (std::size_t i = from; i < text.length; ++i) {
        int d = digit_value(text.bytes[i]);
        if (d >= base) break;
        value = value * base + d;
    }
    return value;
}

// What "%lf" reads from the front of a C text, or 0 when no number starts
// there. The C library's own reader would also take hexadecimal, "inf" and
// "nan", which a decimal reader does not.
double read_decimal(const char* text) {
    const char* p = text;
    while (is_c_space(*p)) ++p;
    const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return *p == '-' ? -0.0 : 0.0;
    if (!is_digit(digits[0]) && !(digits[0] == '.' && is_digit(digits[1]))) return 0;
    return std::strtod(p, nullptr);
}

// Text is zero-terminated at its length.
double read_number(Text text) {
    if (text.length >= 2 && text.bytes[0] == '&') {
        switch (text.bytes[1]) {
            case 'b': case 'B': return read_digits(text, 2, 2);
            case 'h': case 'H': return read_digits(text, 2, 16);
            case 'o': case 'O': return read_digits(text, 2, 8);
            default: return 0;
        }
    }
    return read_decimal(reinterpret_cast<const char*>(text.bytes));
}

RuntimeString* integer_text(const char* format, std::int32_t n) {
    char text[16];
    int length = std::snprintf(text, sizeof text, format, static_cast<unsigned>(n));
    return string_from_bytes(text, static_cast<std::size_t>(length));
}

}  // namespace

NumberSeparators system_number_separators() {
    NumberSeparators s;
    locale_text(LOCALE_SDECIMAL, s.decimal, ".");
    locale_text(LOCALE_STHOUSAND, s.thousands, ",");
    return s;
}

extern "C" RuntimeString* StringStr(double x) {
    char text[kNumberTextSize];
    return string_from_bytes(text, default_number_text(x, text));
}

extern "C" RuntimeString* runCStr(double x) {
    char text[kNumberTextSize];
    std::size_t length = default_number_text(x, text);
    const char* point = static_cast<const char*>(std::memchr(text, '.', length));
    if (!point) return string_from_bytes(text, length);
    const NumberSeparators separators = system_number_separators();
    const std::size_t before = static_cast<std::size_t>(point - text), decimal = std::strlen(separators.decimal);
    RuntimeString* s = string_allocate(length - 1 + decimal);
    std::memcpy(string_bytes(s), text, before);
    std::memcpy(string_bytes(s) + before, separators.decimal, decimal);
    std::memcpy(string_bytes(s) + before + decimal, point + 1, length - before - 1);
    return s;
}

extern "C" double StringVal(RuntimeString* s) { return read_number(text_of(s)); }

// StringVal with the system's decimal separator as the point.
extern "C" double runCDbl(RuntimeString* s) {
    const Text text = text_of(s);
    const NumberSeparators separators = system_number_separators();
    const Text decimal = {reinterpret_cast<const std::uint8_t*>(separators.decimal), std::strlen(separators.decimal)};
    if (std::strcmp(separators.decimal, ".") == 0 || decimal.length == 0) return read_number(text);
    const std::size_t at = find_exact(text, 0, decimal);
    if (at == kNoMatch) return read_number(text);
    const std::size_t size = text.length - decimal.length + 2;
    auto* copy = static_cast<std::uint8_t*>(runtime_alloc(size));
    std::memcpy(copy, text.bytes, at);
    copy[at] = '.';
    std::memcpy(copy + at + 1, text.bytes + at + decimal.length, text.length - at - decimal.length);
    double value = read_number({copy, size - 1});
    runtime_free(copy, size);
    return value;
}

extern "C" RuntimeString* RuntimeHex(std::int32_t n) { return integer_text("%X", n); }

extern "C" RuntimeString* RuntimeOct(std::int32_t n) { return integer_text("%o", n); }
