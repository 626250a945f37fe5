// Lengths and offsets as decimal fractions of 10,000: the double-precision
// reading of awkward texts, and texts chosen for awkward byte counts that
// read back exactly, as offsets and as lengths copied from several starts.
#include <gtest/gtest.h>

#include <cmath>

#include "archive_reader.h"
#include "fractions.h"

namespace archive::test {
namespace {

// The copy loop's steps over a file long enough for any start.
std::uint64_t loop_length(std::uint64_t start, double length) {
    const double s = static_cast<double>(start), end = s + length;
    double position = s;
    while (position + 262144.0 <= end) position += 262144.0;
    if (position < end) position += std::trunc(end - position);
    return static_cast<std::uint64_t>(position - s);
}

TEST(Fractions, ReadingFollowsDoublePrecision) {
    struct Reading {
        const char* text;
        std::optional<std::uint64_t> offset;  // nothing: no position in a file
        std::uint64_t copied;                 // from offset 1,838
    };
    const Reading readings[] = {
        {"12.3456", 123455, 123455},  // 123,455.99999999999
        {"0.1838", 1838, 1838},       // exactly 1,838
        {"41.23367", 412336, 412336},  // 412,336.7: a chunk and 150,192
        {"0.0001", 1, 1},
        {"429496.7295", 4294967295, 4294967295},
        {"abc", 0, 0},
        {"-0.5", std::nullopt, 0},
        {"1e300", std::nullopt, 0},
    };
    for (const Reading& r : readings) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(offset_position(r.text), r.offset);
        if (r.offset) {
            EXPECT_EQ(copied_bytes(1838, field_product(r.text)), r.copied);
        }
    }
    EXPECT_EQ(field_product("12.3456"), 123455.99999999999);
}

TEST(Fractions, ChosenTextsReadBackExactly) {
    const std::uint64_t awkward[] = {0, 1, 1838, 123456, 262144, 412336, 4294967295, 4294967296,
                                     (std::uint64_t{1} << 40) + 3};
    const std::uint64_t starts[] = {0, 1837, 123455, 4294967295, std::uint64_t{1} << 42};
    for (std::uint64_t bytes : awkward) {
        SCOPED_TRACE(bytes);
        const std::optional<std::string> offset = offset_text(bytes);
        ASSERT_TRUE(offset);
        EXPECT_EQ(static_cast<std::uint64_t>(std::trunc(string_val(*offset) * 10000.0)), bytes) << *offset;
        for (std::uint64_t start : starts) {
            const std::optional<std::string> length = length_text(bytes, start);
            ASSERT_TRUE(length);
            EXPECT_EQ(loop_length(start, string_val(*length) * 10000.0), bytes) << *length << " from " << start;
        }
    }
    EXPECT_EQ(offset_text(1838).value_or(""), "0.1838");
    EXPECT_EQ(offset_text(262144).value_or(""), "26.2144");
    EXPECT_EQ(offset_text(4294967295).value_or(""), "429496.7295");
    EXPECT_NE(offset_text(123456).value_or("12.3456"), "12.3456");
}

TEST(Fractions, RefusesWhatNoTextExpresses) {
    EXPECT_FALSE(offset_text(kLargestPosition + 1));
    EXPECT_FALSE(length_text(kLargestPosition + 1, 0));
    EXPECT_FALSE(length_text(1, kLargestPosition + 1));
    EXPECT_EQ(copied_bytes(0, 1e300), UINT64_MAX);
}

TEST(Fractions, CopyLoopPiecesOfAFractionalLength) {
    std::string bytes(1838 + 412337, 'x');
    const Copied copied = copy_track(bytes, "41.23367[][]0.1838[][]t.mp3");
    EXPECT_EQ(copied.start, 1838u);
    EXPECT_EQ(copied.pieces, (std::vector<std::uint64_t>{262144, 150192}));
}

}  // namespace
}  // namespace archive::test
