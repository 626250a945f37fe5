// Runtime strings: representation, lifetime, slices, search, fields, case,
// comparison, blanks and the plugin views.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "strings/string_functions.h"
#include "support/string_test_support.h"

namespace {

TEST(StringRecord, LengthByteStopsAt255AndTextEndsWithZero) {
    for (std::size_t n : {1u, 5u, 254u, 255u, 300u}) {
        std::string text(n, 'x');
        text[0] = 'A';
        RuntimeString* s = string_from_bytes(text.data(), n);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->refs, 1);
        EXPECT_EQ(s->length, n);
        EXPECT_EQ(s->size, n + 2);
        EXPECT_EQ(s->text[0], n < 255 ? n : 255) << n;
        EXPECT_EQ(s->text[1], 'A');
        EXPECT_EQ(s->text[n + 1], 0);
        EXPECT_EQ(StringLen(s), static_cast<std::int32_t>(n));
        EXPECT_EQ(StringGetPString(s)[0], n < 255 ? n : 255);
        RuntimeUnlockString(s);
    }
}

TEST(StringRecord, EmptyTextsAreNil) {
    EXPECT_EQ(string_from_bytes("abc", 0), nullptr);
    EXPECT_EQ(string_from_cstr(""), nullptr);
    EXPECT_EQ(RuntimeAddString(nullptr, nullptr), nullptr);
    EXPECT_EQ(TAVOBuildString("abc", 0), nullptr);
    EXPECT_EQ(TAVOBuildString("abc", -4), nullptr);
    EXPECT_EQ(TAVOBuildString(nullptr, 3), nullptr);
    EXPECT_EQ(take(TAVOBuildString("a\0c", 3)), std::string("a\0c", 3));
}

TEST(StringRecord, AddJoinsAndNilIsEmpty) {
    Str a("abc"), b("de");
    EXPECT_EQ(take(RuntimeAddString(a, b)), "abcde");
    EXPECT_EQ(take(RuntimeAddString(nullptr, b)), "de");
    EXPECT_EQ(take(RuntimeAddString(a, nullptr)), "abc");
}

std::vector<int>& reported_lines() {
    static std::vector<int> lines;
    return lines;
}
void record_report(int, std::int16_t code, const char* source, int line) {
    EXPECT_EQ(code, 4);
    EXPECT_STREQ(source, "string");
    reported_lines().push_back(line);
}

TEST(StringLifetime, LockAndUnlockCountAndNilIsIgnored) {
    RuntimeString* s = string_from_cstr("held");
    RuntimeLockString(s);
    TAVOLockString(s);
    EXPECT_EQ(s->refs, 3);
    TAVOUnlockString(s);
    RuntimeUnlockString(s);
    EXPECT_EQ(s->refs, 1);
    RuntimeLockString(nullptr);
    RuntimeUnlockString(nullptr);
    RuntimeUnlockString(s);
}

TEST(StringLifetime, AssignTakesTheNewValueBeforeDroppingTheOld) {
    RuntimeString* slot = string_from_cstr("old");
    RuntimeString* fresh = string_from_cstr("new");
    string_assign(&slot, slot);  // the only reference: must survive
    EXPECT_EQ(take(StringLeft(slot, 9)), "old");
    EXPECT_EQ(slot->refs, 1);
    string_assign(&slot, fresh);
    EXPECT_EQ(slot, fresh);
    EXPECT_EQ(fresh->refs, 2);
    string_assign(&slot, nullptr);
    EXPECT_EQ(fresh->refs, 1);
    RuntimeUnlockString(fresh);
}

TEST(StringLifetime, CountOfZeroIsReportedAndStillChanges) {
    reported_lines().clear();
    FailureReportSink previous = failure_report_redirect(&record_report);
    RuntimeString s = {};  // a record whose count has already reached 0
    RuntimeLockString(&s);
    EXPECT_EQ(s.refs, 1);
    s.refs = 0;
    RuntimeUnlockString(&s);
    EXPECT_EQ(s.refs, -1);
    failure_report_redirect(previous);
    EXPECT_EQ(reported_lines(), (std::vector<int>{24, 34}));
}

TEST(StringLifetime, ScenarioGivesBackEveryByte) {
    RuntimeMemoryUse before = runtime_memory_use();
    {
        Str text("alpha, Beta, gamma, delta"), sep(","), blank(" "), with("--");
        for (int i = 0; i < 50; ++i) {
            RuntimeString* field = StringNthField(text, sep, 1 + i % 5);
            RuntimeString* trimmed = runTrim(field);
            RuntimeString* joined = RuntimeAddString(trimmed, text);
            take(StringReplaceAll(joined, sep, with));
            take(StringUCase(joined));
            take(StringFormat(i * 1234.5, nullptr));
            take(StringStr(i / 7.0));
            take(runCStr(i * 1e9));
            take(StringMid3(joined, 3, 40));
            RuntimeUnlockString(joined);
            RuntimeUnlockString(trimmed);
            RuntimeUnlockString(field);
        }
        std::string big(3000, 'q');
        Str large(big);
        take(StringReplaceAll(large, Str("q"), Str("ww")));
        StringVal(Str("1234.5"));
        runCDbl(Str("1234.5"));
    }
    RuntimeMemoryUse after = runtime_memory_use();
    EXPECT_EQ(after.small_bytes, before.small_bytes);
    EXPECT_EQ(after.large_bytes, before.large_bytes);
}

TEST(StringNil, EveryFunctionTakesNilAsTheEmptyText) {
    Str a("a");
    EXPECT_EQ(StringLeft(nullptr, 3), nullptr);
    EXPECT_EQ(StringRight(nullptr, 3), nullptr);
    EXPECT_EQ(StringMid2(nullptr, 1), nullptr);
    EXPECT_EQ(StringMid3(nullptr, 1, 2), nullptr);
    EXPECT_EQ(StringLen(nullptr), 0);
    EXPECT_EQ(StringAsc(nullptr), 0);
    EXPECT_EQ(StringDBCSLen(nullptr), 0);
    EXPECT_EQ(StringDBCSAsc(nullptr), 0);
    EXPECT_EQ(StringUCase(nullptr), nullptr);
    EXPECT_EQ(StringLCase(nullptr), nullptr);
    EXPECT_EQ(StringTitleCase(nullptr), nullptr);
    EXPECT_EQ(StringInStr(1, nullptr, a), 0);
    EXPECT_EQ(StringInStrB(1, nullptr, a), 0);
    EXPECT_EQ(StringReplace(nullptr, a, a), nullptr);
    EXPECT_EQ(StringReplaceAll(nullptr, a, a), nullptr);
    EXPECT_EQ(StringCountFields(nullptr, a), 0);
    EXPECT_EQ(StringNthField(nullptr, a, 1), nullptr);
    EXPECT_EQ(runTrim(nullptr), nullptr);
    EXPECT_EQ(runLTrim(nullptr), nullptr);
    EXPECT_EQ(runRTrim(nullptr), nullptr);
    EXPECT_EQ(StringVal(nullptr), 0.0);
    EXPECT_EQ(StringStrCompare(nullptr, nullptr, 0), 0);
    EXPECT_EQ(StringStrCompare(nullptr, a, 1), -1);
    EXPECT_EQ(RuntimeStringCompare(nullptr, nullptr), 0);
    EXPECT_EQ(RuntimeStringCompare(a, nullptr), 1);
    EXPECT_STREQ(StringGetCString(nullptr), "");
    EXPECT_EQ(StringGetPString(nullptr)[0], 0);
    EXPECT_EQ(StringFormat(5, nullptr), nullptr);
}

TEST(StringSlices, LeftRightMid) {
    struct Case {
        const char* what;
        RuntimeString* (*slice)(RuntimeString*, std::int32_t, std::int32_t);
        std::int32_t a, b;
        const char* expected;
    };
    auto left = [](RuntimeString* s, std::int32_t n, std::int32_t) { return StringLeft(s, n); };
    auto right = [](RuntimeString* s, std::int32_t n, std::int32_t) { return StringRight(s, n); };
    auto mid2 = [](RuntimeString* s, std::int32_t start, std::int32_t) { return StringMid2(s, start); };
    auto mid3 = [](RuntimeString* s, std::int32_t start, std::int32_t n) { return StringMid3(s, start, n); };
    const Case cases[] = {
        {"left 3", left, 3, 0, "abc"},          {"left all", left, 99, 0, "abcdef"},
        {"left 0", left, 0, 0, ""},             {"left negative", left, -2, 0, ""},
        {"right 2", right, 2, 0, "ef"},         {"right all", right, INT_MAX, 0, "abcdef"},
        {"right 0", right, 0, 0, ""},           {"mid2 from 3", mid2, 3, 0, "cdef"},
        {"mid2 last", mid2, 6, 0, "f"},         {"mid2 below 1", mid2, -5, 0, "abcdef"},
        {"mid2 beyond", mid2, 7, 0, ""},        {"mid3 inside", mid3, 2, 3, "bcd"},
        {"mid3 cut at end", mid3, 5, 10, "ef"}, {"mid3 start 0", mid3, 0, 3, "ab"},
        {"mid3 start -1", mid3, -1, 3, "a"},    {"mid3 start far below", mid3, INT_MIN, INT_MAX, ""},
        {"mid3 count 0", mid3, 2, 0, ""},       {"mid3 beyond", mid3, 7, 1, ""},
        {"mid3 huge count", mid3, 1, INT_MAX, "abcdef"},
    };
    Str s("abcdef");
    for (const Case& c : cases) EXPECT_EQ(take(c.slice(s, c.a, c.b)), c.expected) << c.what;
}

TEST(StringSlices, WholeTextIsTheSameStringWithAReference) {
    Str s("abc");
    RuntimeString* left = StringLeft(s, 10);
    EXPECT_EQ(left, static_cast<RuntimeString*>(s));
    EXPECT_EQ(left->refs, 2);
    RuntimeUnlockString(left);
}

TEST(StringSlices, AscAndChrUseUnsignedBytes) {
    EXPECT_EQ(StringAsc(Str("\xE9t\xE9")), 0xE9);
    EXPECT_EQ(take(StringChr(0x41)), "A");
    EXPECT_EQ(take(StringChr(0x1E9)), "\xE9");
    RuntimeString* zero = StringChr(0);
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->length, 1u);
    RuntimeUnlockString(zero);
}

TEST(StringSearch, InStrIgnoresCase) {
    struct Case {
        std::int32_t start;
        const char* s;
        const char* find;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, "hello world", "WORLD", 7}, {1, "Hello", "hello", 1}, {0, "abcabc", "c", 3},
        {-9, "abcabc", "c", 3},         {4, "abcabc", "C", 6},    {7, "abcabc", "a", 0},
        {6, "abcabc", "c", 6},          {1, "abc", "abcd", 0},    {1, "abc", "x", 0},
        {3, "abc", "", 3},              {-2, "abc", "", 1},       {4, "abc", "", 0},
        {1, "", "", 0},                 {1, "aaab", "aab", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringInStr(c.start, Str(c.s), Str(c.find)), c.expected) << c.start << " " << c.s << " " << c.find;
    }
}

TEST(StringSearch, InStrBComparesBytesExactly) {
    Str s("Hello hello");
    EXPECT_EQ(StringInStrB(1, s, Str("hello")), 7);
    EXPECT_EQ(StringInStrB(1, s, Str("HELLO")), 0);
    EXPECT_EQ(StringInStrB(2, s, Str("")), 2);
}

// Long texts and search texts take the shift-table path; every start must
// give the same answer as a plain search.
TEST(StringSearch, InStrBShiftTablePathMatchesPlainSearch) {
    std::string text;
    unsigned seed = 7;
    for (int i = 0; i < 600; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += "ab\xFF"[(seed >> 16) % 3];
    }
    const std::string finds[] = {text.substr(100, 5), text.substr(590, 10), text.substr(0, 40), "ababababababab",
                                 "\xFF\xFF\xFF\xFF\xFF", text.substr(595, 5), text.substr(3, 4), "zzzzzz"};
    Str s(text);
    for (const std::string& find : finds) {
        Str f(find);
        for (std::size_t start = 1; start <= text.size(); start += 13) {
            std::size_t at = text.find(find, start - 1);
            std::int32_t expected = at == std::string::npos ? 0 : static_cast<std::int32_t>(at + 1);
            ASSERT_EQ(StringInStrB(static_cast<std::int32_t>(start), s, f), expected) << find << " from " << start;
        }
    }
}

TEST(StringSearch, ReplaceFirstAndAll) {
    struct Case {
        const char* s;
        const char* find;
        const char* with;
        const char* first;
        const char* all;
    };
    const Case cases[] = {
        {"a-b-c", "-", "+", "a+b-c", "a+b+c"},
        {"One one ONE", "one", "1", "1 one ONE", "1 1 1"},
        {"aaaa", "aa", "b", "baa", "bb"},
        {"aaa", "aa", "x", "xa", "xa"},
        {"abc", "", "x", "abc", "abc"},
        {"abc", "zz", "x", "abc", "abc"},
        {"abc", "abc", "", "", ""},
        {"abab", "b", "", "aab", "aa"},
        {"x", "x", "long text", "long text", "long text"},
    };
    for (const Case& c : cases) {
        Str s(c.s), find(c.find), with(c.with);
        EXPECT_EQ(take(StringReplace(s, find, with)), c.first) << c.s << " / " << c.find;
        EXPECT_EQ(take(StringReplaceAll(s, find, with)), c.all) << c.s << " / " << c.find;
    }
}

TEST(StringFields, CountAndNth) {
    struct Case {
        const char* s;
        const char* sep;
        std::int32_t count;
        std::vector<std::string> fields;  // n = 1, 2, ... then one past the last
    };
    const Case cases[] = {
        {"a,b,c", ",", 3, {"a", "b", "c", ""}},
        {"a,,c,", ",", 4, {"a", "", "c", "", ""}},
        {"oneXXtwoxxthree", "xx", 3, {"one", "two", "three", ""}},
        {"1;;2;;;3", ";;", 3, {"1", "2", ";3", ""}},
        {"no separator", ",", 1, {"no separator", ""}},
        {"abc", "", 1, {""}},
        {"", ",", 0, {""}},
    };
    for (const Case& c : cases) {
        Str s(c.s), sep(c.sep);
        EXPECT_EQ(StringCountFields(s, sep), c.count) << c.s;
        for (std::size_t n = 0; n < c.fields.size(); ++n) {
            EXPECT_EQ(take(StringNthField(s, sep, static_cast<std::int32_t>(n + 1))), c.fields[n]) << c.s << " field " << n + 1;
        }
        EXPECT_EQ(StringNthField(s, sep, 0), nullptr);
        EXPECT_EQ(StringNthField(s, sep, -1), nullptr);
    }
}

TEST(StringCase, UpperLowerTitle) {
    Str s("hello WORLD  \xE9t\xE9 x1");
    EXPECT_EQ(take(StringUCase(s)), "HELLO WORLD  \xC9T\xC9 X1");
    EXPECT_EQ(take(StringLCase(s)), "hello world  \xE9t\xE9 x1");
    EXPECT_EQ(take(StringTitleCase(s)), "Hello World  \xC9t\xE9 X1");
    EXPECT_EQ(take(StringTitleCase(Str("a\tb"))), "A\tB");
}

TEST(StringCompare, SystemComparisonIgnoresCase) {
    struct Case {
        const char* a;
        const char* b;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"Hello", "hELLO", 0}, {"apple", "Banana", -1}, {"Banana", "apple", 1},
        {"abc", "abcd", -1},   {"abcd", "ABC", 1},      {"", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RuntimeStringCompare(Str(c.a), Str(c.b)), c.expected) << c.a << " " << c.b;
        EXPECT_EQ(StringStrCompare(Str(c.a), Str(c.b), 1), c.expected) << c.a << " " << c.b;
    }
}

TEST(StringCompare, BinaryModeComparesBytes) {
    EXPECT_EQ(StringStrCompare(Str("abc"), Str("abc"), 0), 0);
    EXPECT_EQ(StringStrCompare(Str("ABC"), Str("abc"), 0), -1);
    EXPECT_EQ(StringStrCompare(Str("abc"), Str("ab"), 0), 1);
    EXPECT_EQ(StringStrCompare(Str("\xE9"), Str("z"), 0), 1);
}

TEST(StringTrim, BlanksOnEitherSide) {
    struct Case {
        const char* s;
        const char* both;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\t x\t", "x", "x\t", "\t x"},
        {"none", "none", "none", "none"},
        {"   ", "", "", ""},
    };
    for (const Case& c : cases) {
        Str s(c.s);
        EXPECT_EQ(take(runTrim(s)), c.both) << '"' << c.s << '"';
        EXPECT_EQ(take(runLTrim(s)), c.left) << '"' << c.s << '"';
        EXPECT_EQ(take(runRTrim(s)), c.right) << '"' << c.s << '"';
    }
}

TEST(StringViews, CStringPStringAndFourCharacterCode) {
    Str s("TEXT");
    EXPECT_STREQ(StringGetCString(s), "TEXT");
    EXPECT_STREQ(StringToCString(s), "TEXT");
    EXPECT_EQ(std::memcmp(StringGetPString(s), "\4TEXT", 6), 0);
    EXPECT_EQ(StringToPString(s), StringGetPString(s));
    EXPECT_EQ(StringToOSType(s), 0x54455854u);
    EXPECT_EQ(StringToOSType(Str("ab")), 0x61622020u);
    EXPECT_EQ(StringToOSType(Str("abcdef")), 0x61626364u);
    EXPECT_EQ(StringToOSType(nullptr), 0x20202020u);
}

}  // namespace
