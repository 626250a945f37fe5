// Numbers to text and back: StringVal, StringStr, runCStr, runCDbl,
// RuntimeHex, RuntimeOct and StringFormat.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "strings/string_functions.h"
#include "support/string_test_support.h"

namespace {

std::string locale_text(LCTYPE item) {
    char text[8] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, item, text, sizeof text);
    return text;
}

// Expected texts are written with "." and ","; the runtime uses the
// system's separators.
std::string localized(const std::string& text) {
    static const std::string decimal = locale_text(LOCALE_SDECIMAL), thousands = locale_text(LOCALE_STHOUSAND);
    std::string out;
    for (char c : text) out += c == '.' ? decimal : c == ',' ? thousands : std::string(1, c);
    return out;
}

TEST(StringVal, ReadsNumbersAndPrefixedDigits) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"&hFF", 255},     {"&HfF", 255},   {"&b101", 5},     {"&B2", 0},      {"&o17", 15},
        {"&O78", 7},       {"&x12", 0},     {"&", 0},         {"&h", 0},       {"&hFFg1", 255},
        {"12abc", 12},     {"3.25", 3.25},  {"  -2.5e3x", -2500}, {".5", 0.5}, {"+7", 7},
        {"abc", 0},        {"-", 0},        {"0x10", 0},      {"inf", 0},      {"nan", 0},
        {"1e", 1},         {"4821", 4821},  {"\t\n9", 9},     {"1,5", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(StringVal(Str(c.text)), c.expected) << c.text;
}

TEST(StringVal, RunCDblReadsTheSystemDecimalSeparator) {
    EXPECT_EQ(runCDbl(Str(localized("1234.5").c_str())), 1234.5);
    EXPECT_EQ(runCDbl(Str("&h10")), 16);
    EXPECT_EQ(runCDbl(Str("x")), 0);
}

TEST(StringStr, DefaultNumberFormat) {
    struct Case {
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {4821.0, "4821"},   {0.5, "0.5"},       {2.5, "2.5"},          {0.1, "0.1"},
        {1000000, "1000000"}, {-0.0, "0"},      {0.0, "0"},            {-3.25, "-3.25"},
        {0.00001, "0.00001"}, {123.45678912, "123.4567891"}, {1.0 / 3, "0.3333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(take(StringStr(c.x)), c.expected) << c.x;
        EXPECT_EQ(take(runCStr(c.x)), localized(c.expected)) << c.x;
    }
}

// The number of exponent digits is the C library's; the digits before the
// exponent are fixed.
TEST(StringStr, ScientificOutsideTheFixedRange) {
    struct Case {
        double x;
        const char* mantissa;
    };
    const Case cases[] = {
        {0.000001, "1.0000000e-"}, {1000000.5, "1.0000005e+"}, {-2.5e20, "-2.5000000e+"}, {1.23456789e-7, "1.2345679e-"},
    };
    for (const Case& c : cases) {
        std::string text = take(StringStr(c.x));
        EXPECT_EQ(text.substr(0, std::string(c.mantissa).size()), c.mantissa) << text;
        EXPECT_NEAR(StringVal(Str(text.c_str())) / c.x, 1.0, 1e-7) << text;
    }
}

TEST(StringHexOct, DigitsOfTheUnsignedWord) {
    EXPECT_EQ(take(RuntimeHex(255)), "FF");
    EXPECT_EQ(take(RuntimeHex(0)), "0");
    EXPECT_EQ(take(RuntimeHex(-1)), "FFFFFFFF");
    EXPECT_EQ(take(RuntimeOct(8)), "10");
    EXPECT_EQ(take(RuntimeOct(-1)), "37777777777");
}

TEST(StringFormat, Examples) {
    struct Case {
        double x;
        const char* format;
        const char* expected;  // "." and "," stand for the system's separators
    };
    const Case cases[] = {
        {120000, "#######", "120000"},
        {0, "#######", "0"},
        {5, "000", "005"},
        {1.5, "0.00", "1.50"},
        {1.5, "0.##", "1.5"},
        {1.5, "#.##", "1.5"},
        {1234567, "#,###", "1,234,567"},
        {1234, "#,###", "1,234"},
        {123, "#,###", "123"},
        {12, "0,000", "0,012"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {-5, "#", "5"},
        {-5, "-#", "-5"},
        {-5, "#;(#)", "(5)"},
        {5, "+#", "+5"},
        {-5, "+#", "-5"},
        {0, "+#", "0"},
        {0, "#;-#;\\z\\e\\r\\o", "zero"},
        {0.256, "0%", "26%"},
        {0.5, "0.0%", "50.0%"},
        {2.675, "0.0", "2.7"},
        {1e-3, "0.00", "0.00"},
        {123.456, "#", "123"},
        {7, "# units", "7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(take(StringFormat(c.x, Str(c.format))), localized(c.expected)) << c.x << " with " << c.format;
    }
}

TEST(StringFormat, ScientificNotation) {
    struct Case {
        double x;
        const char* format;
        const char* mantissa;  // the text up to the exponent digits
        const char* exponent;  // the exponent's value
    };
    const Case cases[] = {
        {123456789, "Scientific", "1.234568E+", "8"},
        {-123456789, "scientific", "-1.234568E+", "8"},
        {0.00015, "SCIENTIFIC", "1.500000E-", "4"},
        {1500, "0.00e+", "1.50e+", "3"},
        {1500, "0.##e-", "1.5e", "3"},
        {0.0015, "0.##E-", "1.5E-", "3"},
        {1500, "0e", "2e+", "3"},
    };
    for (const Case& c : cases) {
        std::string text = take(StringFormat(c.x, Str(c.format)));
        std::string mantissa = localized(c.mantissa);
        ASSERT_EQ(text.substr(0, mantissa.size()), mantissa) << c.x << " with " << c.format << ": " << text;
        std::string digits = text.substr(mantissa.size());
        ASSERT_FALSE(digits.empty()) << text;
        EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << text;
        EXPECT_EQ(std::atoi(digits.c_str()), std::atoi(c.exponent)) << text;
    }
}

TEST(StringFormat, EmptyResultIsNil) {
    EXPECT_EQ(StringFormat(5, Str("x")), nullptr);
    EXPECT_EQ(StringFormat(-5, Str("#;")), nullptr);
}

}  // namespace
