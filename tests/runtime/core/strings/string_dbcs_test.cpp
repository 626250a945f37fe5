// The character-aware forms on a double-byte table (lead bytes as in the
// Japanese code page), and on the system's tables, where they equal the byte
// forms.
#include <gtest/gtest.h>

#include <string>

#include "strings/string_dbcs.h"
#include "strings/string_functions.h"
#include "strings/string_search.h"
#include "support/string_test_support.h"

namespace {

CharTables double_byte_tables() {
    CharTables t = char_tables();
    t.double_byte = true;
    for (int b = 0; b < 256; ++b) t.lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return t;
}

// x, one two-byte character, b, a two-byte character whose trail byte is "a".
const char kMixed[] = "x\x82\xA0" "b\x83\x61";

TEST(StringDBCS, LengthAndSlicesCountCharacters) {
    const CharTables t = double_byte_tables();
    Str s(kMixed);
    EXPECT_EQ(dbcs_length(t, s), 4);
    EXPECT_EQ(dbcs_length(t, Str("ab\x82")), 3);  // a lead byte at the end stands alone
    EXPECT_EQ(take(dbcs_left(t, s, 2)), "x\x82\xA0");
    EXPECT_EQ(dbcs_left(t, s, 0), nullptr);
    EXPECT_EQ(take(dbcs_left(t, s, 99)), kMixed);
    EXPECT_EQ(take(dbcs_right(t, s, 1)), "\x83\x61");
    EXPECT_EQ(take(dbcs_right(t, s, 3)), "\x82\xA0" "b\x83\x61");
    EXPECT_EQ(take(dbcs_right(t, s, 9)), kMixed);
    EXPECT_EQ(take(dbcs_mid(t, s, 2, 2)), "\x82\xA0" "b");
    EXPECT_EQ(take(dbcs_mid(t, s, 0, 2)), "x");
    EXPECT_EQ(take(dbcs_mid(t, s, 3, 99)), "b\x83\x61");
    EXPECT_EQ(dbcs_mid(t, s, 5, 1), nullptr);
}

TEST(StringDBCS, SearchMatchesWholeCharactersOnly) {
    const CharTables t = double_byte_tables();
    Str s(kMixed);
    struct Case {
        std::int32_t start;
        const char* find;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, "a", 0},           // only a trail byte
        {1, "B", 3},           // single-byte letters still ignore case
        {1, "\x83\x61", 4},    {1, "\x83\x41", 0},  // two-byte characters compare exactly
        {4, "b", 0},           {3, "b", 3},         {1, "\x82", 0},  // the find would end inside a character
        {2, "", 2},            {5, "", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(dbcs_in_str(t, c.start, s, Str(c.find)), c.expected) << c.find;
    EXPECT_EQ(find_ignoring_case(t, text_of(s), 0, text_of(Str("\xA0" "b"))), kNoMatch);
}

TEST(StringDBCS, AscAndChrJoinLeadAndTrail) {
    const CharTables t = double_byte_tables();
    EXPECT_EQ(dbcs_asc(t, Str("\x82\xA0x")), 0x82A0);
    EXPECT_EQ(dbcs_asc(t, Str("\x82")), 0x82);
    EXPECT_EQ(dbcs_asc(t, Str("x\x82\xA0")), 'x');
    EXPECT_EQ(take(dbcs_chr(t, 0x82A0)), "\x82\xA0");
    EXPECT_EQ(take(dbcs_chr(t, 0x41)), "A");
    EXPECT_EQ(take(dbcs_chr(t, 0x41A0)), "\xA0");
}

TEST(StringDBCS, SingleByteSystemGivesTheByteForms) {
    ASSERT_FALSE(char_tables().double_byte) << "the tests run on a single-byte system";
    Str s("\x82\xA0" "abc");
    EXPECT_EQ(StringDBCSLen(s), 5);
    EXPECT_EQ(take(StringDBCSLeft(s, 1)), "\x82");
    EXPECT_EQ(take(StringDBCSRight(s, 4)), "\xA0" "abc");
    EXPECT_EQ(take(StringDBCSMid2(s, 2)), "\xA0" "abc");
    EXPECT_EQ(take(StringDBCSMid3(s, 2, 2)), "\xA0" "a");
    EXPECT_EQ(StringDBCSInStr(1, s, Str("B")), 4);
    EXPECT_EQ(StringDBCSAsc(s), 0x82);
    EXPECT_EQ(take(StringDBCSChr(0x82A0)), "\xA0");
}

}  // namespace
