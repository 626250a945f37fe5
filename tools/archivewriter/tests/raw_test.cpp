// Raw mode writes the fields exactly as given, hostile or not, and cuts the
// archive at any byte.
#include <gtest/gtest.h>

#include "test_support.h"

namespace archive::test {
namespace {

std::string padded(const std::string& text, std::size_t slot, char pad = ' ') {
    return text + std::string(slot - text.size(), pad);
}

TEST(RawMode, WritesFieldsVerbatim) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::size_t at;
        std::string bytes;
    };
    const std::string past_end = "5[][]{offset}[][]past.mp3";
    const Case cases[] = {
        {"count abc", {"--count", "abc"}, 1325, padded("abc", 12)},
        {"count 999999999", {"--count", "999999999", "--silence", "10"}, 1325, padded("999999999", 12)},
        {"count -5", {"--count", "-5"}, 1325, padded("-5", 12)},
        {"blanks kept, NUL padding", {"--count", " 2 ", "--pad", "0"}, 1325, padded(" 2 ", 12, '\0')},
        {"mark in capitals", {"--mark", "TUNEQUILT ALBUM"}, 10, std::string("TIT1\0\0\0\x10\0\0\0TUNEQUILT ALBUM", 26)},
        {"artist frame size 0", {"--artist-size", "0", "--artist", ""}, 36, std::string("TPE1\0\0\0\0\0\0\0TALB", 15)},
        {"comment frame size 255 over a short text", {"--comment-size", "255", "--comment", "short"}, 62,
         std::string("\0\0\0\xFF\0\0\0short", 12)},
        {"comment without separator", {"--comment", "Nobody at all"}, 69, std::string("Nobody at all\0", 14)},
        {"negative and fractional fields", {"--record", "-1[][]0.18385[][]neg.mp3"}, 1337,
         padded("-1[][]0.18385[][]neg.mp3", 501)},
        {"length past the end", {"--silence", "10", "--record", past_end}, 1337, padded("5[][]0.1838[][]past.mp3", 501)},
        {"length and offset of the track", {"--silence", "10", "--record", "{length}[][]{offset}[][]x"}, 1337,
         padded("0.001[][]0.1838[][]x", 501)},
        {"hostile title", {"--silence", "1", "--title", "..\\CON"}, 1337, padded("0.0001[][]0.1838[][]..\\CON", 501)},
        {"title of 300 characters", {"--silence", "1", "--title", std::string(300, 'z')}, 1337 + 20,
         padded(std::string(300, 'z'), 501 - 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "--raw");
        const std::string bytes = written(args);
        ASSERT_GE(bytes.size(), c.at + c.bytes.size());
        EXPECT_EQ(bytes.substr(c.at, c.bytes.size()), c.bytes);
    }
}

TEST(RawMode, CutsAtAnyByte) {
    const std::vector<std::string> args = {"--raw", "--artist", "Cut", "--tone", "3000", "--silence", "2000"};
    const std::string whole = written(args);
    ASSERT_EQ(whole.size(), 1337u + 2 * 501 + 5000);
    for (std::uint64_t at : {0ul, 1ul, 30ul, 1330ul, 1500ul, 2339ul + 1234, 2339ul + 4999, 2339ul + 5000}) {
        std::vector<std::string> cut = args;
        cut.insert(cut.end(), {"--truncate", std::to_string(at)});
        EXPECT_EQ(written(cut), whole.substr(0, at)) << "cut at " << at;
    }
}

}  // namespace
}  // namespace archive::test
