// StringFormat: a number laid out by a pattern of digit places ("#", "0"),
// a decimal point, grouping, percent, sign places and scientific notation.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "objects/memory.h"
#include "objects/names.h"
#include "strings/string_functions.h"
#include "strings/string_numbers.h"

namespace {

struct Pattern {
    Text text;
    int integer_places = 0;
    int decimal_places = 0;
    bool percent = false;
    bool grouping = false;
    bool scientific = false;
};

void scan_pattern(Pattern& p) {
    bool after_point = false;
    for (std::size_t i = 0; i < p.text.length; ++i) {
        switch (p.text.bytes[i]) {
            case '\\': ++i; break;
            case '#': case '0': ++(after_point ? p.decimal_places : p.integer_places); break;
            case '.': after_point = true; break;
            case '%': p.percent = true; break;
            case ',': p.grouping = true; break;
            case 'e': case 'E': p.scientific = true; break;
            default: break;
        }
    }
}

// The C library's digits of |x|, then trimmed: D of the layout walk.
struct Digits {
    char* text = nullptr;
    std::size_t size = 0;    // of the block
    std::size_t length = 0;
    std::size_t e = 0;       // where the exponent starts; the length in fixed notation
    std::size_t v = 0;       // number of integer digits
    bool has_exponent = false;
};

// The exponent conversion gets as many digits after the point as the
// pattern has decimal places, so that its last shown digit is rounded.
void convert_digits(double magnitude, const Pattern& p, Digits& d) {
    const char* format = p.scientific ? "%.*e" : "%.*f";
    int needed = std::snprintf(nullptr, 0, format, p.decimal_places, magnitude);
    d.size = static_cast<std::size_t>(needed > 0 ? needed : 0) + 1;
    d.text = static_cast<char*>(runtime_alloc(d.size));
    std::snprintf(d.text, d.size, format, p.decimal_places, magnitude);
    std::size_t skip = 0;
    while (d.text[skip] == ' ') ++skip;
    d.length = std::strlen(d.text + skip);
    std::memmove(d.text, d.text + skip, d.length + 1);

    const char* e = std::strchr(d.text, 'e');
    d.has_exponent = e != nullptr;
    d.e = e ? static_cast<std::size_t>(e - d.text) : d.length;
    if (p.decimal_places > 0) {
        if (d.has_exponent) {
            std::size_t end = d.e;
            while (end > 0 && d.text[end - 1] == '0') --end;
            std::memmove(d.text + end, d.text + d.e, d.length - d.e + 1);
            d.length -= d.e - end;
            d.e = end;
        } else {
            while (d.length > 0 && d.text[d.length - 1] == '0') --d.length;
            d.text[d.length] = 0;
            d.e = d.length;
        }
    }
    const char* point = static_cast<const char*>(std::memchr(d.text, '.', d.e));
    d.v = point ? static_cast<std::size_t>(point - d.text) : d.e;
}

// Counts when out is null, so that the result can be sized first.
struct Output {
    std::uint8_t* out;
    std::size_t length = 0;
    void put(const char* text, std::size_t n) {
        if (out) std::memcpy(out + length, text, n);
        length += n;
    }
    void put(char c) { put(&c, 1); }
    void put(const char* text) { put(text, std::strlen(text)); }
};

struct Layout {
    const Pattern& pattern;
    const Digits& digits;
    const NumberSeparators& separators;
    bool negative;
    bool positive;
};

// An integer digit place y (0-based from the left).
void integer_place(const Layout& l, bool zero_place, int y, bool& written, Output& out) {
    const Digits& d = l.digits;
    const long long places = l.pattern.integer_places, v = static_cast<long long>(d.v);
    if (y == 0 && v > places) {
        const long long run = v - places + 1;
        for (long long k = 0; k < run; ++k) {
            if (l.pattern.grouping && k >= 1 && (v - k) % 3 == 0) out.put(l.separators.thousands);
            out.put(d.text[k]);
        }
        written = true;
        return;
    }
    const long long h = v + y - places;
    const bool inside = h >= 0 && h < static_cast<long long>(d.e);
    if (!inside && !zero_place) return;
    if (l.pattern.grouping && written && (places - y) % 3 == 0) out.put(l.separators.thousands);
    out.put(inside ? d.text[h] : '0');
    written = true;
}

void decimal_place(const Layout& l, bool zero_place, int y, Output& out) {
    const long long h = static_cast<long long>(l.digits.v) + y + 1;
    if (h >= 0 && h < static_cast<long long>(l.digits.e)) out.put(l.digits.text[h]);
    else if (zero_place) out.put('0');
}

// The exponent after "e" or "E"; a following "+" or "-" of the pattern
// shapes its sign and is consumed. Returns the pattern characters used.
std::size_t exponent(const Layout& l, const std::uint8_t* next, Output& out) {
    const char* part = l.digits.text + l.digits.e + 1;
    const bool has_sign = *part == '+' || *part == '-';
    if (next && *next == '+') {
        if (!has_sign) out.put('+');
        out.put(part);
        return 1;
    }
    if (next && *next == '-') {
        out.put(*part == '+' ? part + 1 : part);
        return 1;
    }
    out.put(part);
    return 0;
}

void lay_out(const Layout& l, Output& out) {
    const Text p = l.pattern.text;
    int y = 0;
    bool decimal_part = false, written = false;
    for (std::size_t i = 0; i < p.length; ++i) {
        const char c = static_cast<char>(p.bytes[i]);
        const std::uint8_t* next = i + 1 < p.length ? p.bytes + i + 1 : nullptr;
        switch (c) {
            case '#': case '0':
                if (decimal_part) decimal_place(l, c == '0', y, out);
                else integer_place(l, c == '0', y, written, out);
                ++y;
                break;
            case '.':
                if (!decimal_part) {
                    out.put(l.separators.decimal);
                    decimal_part = true;
                    y = 0;
                }
                break;
            case '%': case '(': case ')': out.put(c); break;
            case '+':
                if (l.negative) out.put('-');
                else if (l.positive) out.put('+');
                break;
            case '-':
                if (l.negative) out.put('-');
                break;
            case 'e': case 'E':
                if (l.digits.has_exponent) {
                    out.put(c);
                    i += exponent(l, next, out);
                }
                break;
            case '\\':
                if (next) {
                    out.put(static_cast<char>(*next));
                    ++i;
                }
                break;
            default: break;
        }
    }
}

RuntimeString* format_with(double x, bool negative, RuntimeString* pattern_string) {
    Pattern pattern;
    pattern.text = text_of(pattern_string);
    scan_pattern(pattern);
    if (pattern.percent) x *= 100;
    Digits digits;
    convert_digits(std::fabs(x), pattern, digits);
    const NumberSeparators separators = system_number_separators();
    const Layout layout{pattern, digits, separators, negative, !negative && x > 0};

    Output measure{nullptr};
    lay_out(layout, measure);
    RuntimeString* result = nullptr;
    if (measure.length) {
        result = string_allocate(measure.length);
        Output write{string_bytes(result)};
        lay_out(layout, write);
    }
    runtime_free(digits.text, digits.size);
    return result;
}

bool is_scientific_format(RuntimeString* format) {
    static const char kScientific[] = "Scientific";
    return name_compare(string_cstr(format), string_length(format), kScientific, sizeof kScientific - 1) == 0;
}

}  // namespace

extern "C" RuntimeString* StringFormat(double x, RuntimeString* format) {
    if (is_scientific_format(format)) {
        RuntimeString* pattern = string_from_cstr("-#.000000E+");
        RuntimeString* result = format_with(x, x < 0, pattern);
        RuntimeUnlockString(pattern);
        return result;
    }
    RuntimeString* semicolon = string_from_cstr(";");
    const std::int32_t sections = StringCountFields(format, semicolon);
    std::int32_t section = 1;
    bool negative = false;
    if (x < 0) {
        if (sections >= 2) section = 2;
        x = -x;
        negative = true;
    } else if (x == 0 && sections >= 3) {
        section = 3;
    }
    RuntimeString* pattern = StringNthField(format, semicolon, section);
    RuntimeUnlockString(semicolon);
    RuntimeString* result = format_with(x, negative, pattern);
    RuntimeUnlockString(pattern);
    return result;
}
