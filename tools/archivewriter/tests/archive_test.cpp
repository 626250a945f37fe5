// Archives written from ordinary command lines, read back by the extractor's
// own steps: tag header and mark, frame sizes and texts, the count, the
// records and every track's bytes, which tile the file after the directory.
#include <gtest/gtest.h>

#include <map>

#include "archive_reader.h"
#include "test_support.h"

namespace archive::test {
namespace {

struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string artist, album, maker, user_number;  // as shown: prefixes removed, comment split
    int sizes[3];
    std::vector<std::string> titles;
    std::vector<std::uint64_t> lengths;
};

std::string pattern(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7 % 251);
    return bytes;
}

// MP3 files given on the command line, by title: one small, one longer than
// the writer's buffer and ten copy chunks.
const std::map<std::string, std::string> kFixtures = {
    {"Fixture Song.mp3", pattern(1000)},
    {"Long Song.mp3", pattern(10 * 262144 + 7)},
};

std::vector<Case> cases(const ScratchDir& dir) {
    const std::string fixture_path = dir.file("Fixture Song.mp3");
    const std::string long_album(254, 'A');
    return {
        {"no tracks", {"--album", "Nothing Here", "--artist", "Nobody", "--maker", "Maker"},
         "Nobody", "Nothing Here", "Maker", "", {7, 13, 6}, {}, {}},
        {"one tone track", {"--album", "Single", "--artist", "Solo", "--maker", "Mia", "--user-number", "12",
                            "--tone", "5000", "--title", "Only.mp3"},
         "Solo", "Single", "Mia", "12", {5, 7, 10}, {"Only.mp3"}, {5000}},
        {"three tracks, prefixed texts",
         {"--prefix", "--album", "Demo Album", "--artist", "Quilters", "--maker", "Pat", "--user-number", "3",
          "--silence", "1000", "--mp3", fixture_path, "--tone", "262144:880", "--title", "Chunk.mp3"},
         "Quilters", "Demo Album", "Pat", "3", {21, 23, 21}, {"Track 1.mp3", "Fixture Song.mp3", "Chunk.mp3"},
         {1000, 1000, 262144}},
        {"an MP3 file of ten chunks and a piece", {"--mp3", dir.file("Long Song.mp3"), "--silence", "9"},
         "", "", "", "", {1, 1, 1}, {"Long Song.mp3", "Track 2.mp3"}, {10 * 262144 + 7, 9}},
        {"a track of no bytes", {"--artist", "A", "--silence", "0", "--title", "Empty.mp3"},
         "A", "", "", "", {2, 1, 1}, {"Empty.mp3"}, {0}},
        {"empty artist, longest album", {"--album", long_album, "--maker", "M", "--user-number", "0"},
         "", long_album, "M", "0", {1, 255, 7}, {}, {}},
        {"prefix twice", {"--prefix", "--prefix", "--artist", "Name", "--album", "X"},
         "Name", "X", "", "", {29, 26, 25}, {}, {}},
        {"second track at 123,456 (12.3456 reads as 123,455)",
         {"--silence", "121117", "--silence", "5", "--title", "Second.mp3"},
         "", "", "", "", {1, 1, 1}, {"Track 1.mp3", "Second.mp3"}, {121117, 5}},
    };
}

TEST(ArchiveLayout, ReadsBackAsWritten) {
    ScratchDir dir;
    for (const auto& [name, bytes] : kFixtures) write_file(dir.file(name), bytes);
    for (const Case& c : cases(dir)) {
        SCOPED_TRACE(c.name);
        const std::string bytes = written(c.args);
        ASSERT_GE(bytes.size(), 1337u);
        const ReadArchive read = read_archive(bytes);

        EXPECT_EQ(read.header, std::string("ID3\x03\0\0\0\0\x0A\x23", 10));
        EXPECT_EQ(read.mark, "Tunequilt Album");
        EXPECT_EQ(bytes.substr(10, 4), "TIT1");
        EXPECT_EQ(bytes.substr(36, 4), "TPE1");
        EXPECT_EQ(bytes.substr(40, 3), std::string(3, '\0'));
        for (int f = 0; f < 3; ++f) EXPECT_EQ(read.sizes[f], c.sizes[f]) << "frame " << f;
        EXPECT_EQ(without_prefix(read.artist), c.artist);
        EXPECT_EQ(without_prefix(read.album), c.album);
        const std::string comment = without_prefix(read.comment);
        EXPECT_EQ(nth_field(comment, 1), c.maker);
        EXPECT_EQ(nth_field(comment, 2), c.user_number);

        EXPECT_EQ(read.count_text, std::to_string(c.titles.size()));
        ASSERT_EQ(read.records.size(), c.titles.size());
        std::uint64_t next = 1337 + 501 * c.titles.size();
        for (std::size_t t = 0; t < c.titles.size(); ++t) {
            SCOPED_TRACE(read.records[t]);
            EXPECT_EQ(nth_field(read.records[t], 3), c.titles[t]);
            const Copied copied = copy_track(bytes, read.records[t]);
            EXPECT_EQ(copied.start, next);
            EXPECT_EQ(copied.data.size(), c.lengths[t]);
            const auto fixture = kFixtures.find(c.titles[t]);
            if (fixture != kFixtures.end()) {
                EXPECT_TRUE(copied.data == fixture->second) << "the file's bytes";
            }
            next += c.lengths[t];
        }
        EXPECT_EQ(bytes.size(), next) << "tracks end the file";
    }
}

TEST(ArchiveLayout, RecordTextsAndPadding) {
    const std::string bytes = written({"--tone", "5000", "--title", "Only.mp3"});
    EXPECT_EQ(bytes.substr(1325, 12), "1" + std::string(11, ' '));
    const std::string record = "0.5[][]0.1838[][]Only.mp3";
    EXPECT_EQ(bytes.substr(1337, 501), record + std::string(501 - record.size(), ' '));
    // Tag padding after the comment frame, up to the count.
    EXPECT_EQ(bytes.substr(1324, 1), std::string(1, '\0'));
}

TEST(ArchiveLayout, ChunkSizedTrackIsOneChunk) {
    const std::string bytes = written({"--silence", "262144", "--silence", "412336"});
    const ReadArchive read = read_archive(bytes);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(copy_track(bytes, read.records[0]).pieces, (std::vector<std::uint64_t>{262144}));
    EXPECT_EQ(copy_track(bytes, read.records[1]).pieces, (std::vector<std::uint64_t>{262144, 150192}));
}

}  // namespace
}  // namespace archive::test
