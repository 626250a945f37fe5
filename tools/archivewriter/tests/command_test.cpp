// The tqwrite program: bad input ends with a message naming the problem,
// status 1 and no output file (an older archive of that name stays as it
// was); lists of archives, among them the project's own test set.
#include <gtest/gtest.h>

#include "archive.h"
#include "archive_reader.h"
#include "set_list.h"
#include "test_support.h"

namespace archive::test {
namespace {

namespace fs = std::filesystem;

TEST(Command, BadInputIsRefusedAndLeavesNoFile) {
    ScratchDir dir;
    const std::string out = dir.file("out.tqa");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--mp3", dir.file("missing.mp3")}, "missing.mp3: no such file"},
        {{"--mp3", dir.path().string()}, ": not a file"},
        {{"--raw", "--count", "1234567890123"}, "the track count \"1234567890123\" has 13 bytes; it must fit in 12"},
        {{"--raw", "--silence", "1", "--title", std::string(482, 't')}, "record 1 has 502 bytes; it must fit in 501"},
        {{"--raw", "--record", std::string(502, 'r')}, "record 1 has 502 bytes"},
        {{"--silence", "1", "--title", std::string(256, 't')}, "has 256 characters; a file name has at most 255"},
        {{"--silence", "1", "--title", "..\\up.mp3"}, "contains '\\'"},
        {{"--silence", "1", "--title", "nul.mp3"}, "is a device name"},
        {{"--silence", "1", "--title", "Song.mp3 "}, "ends in a blank"},
        {{"--artist", std::string(255, 'a')}, "the artist text has 255 bytes; a frame holds at most 254"},
        {{"--prefix", "--maker", std::string(243, 'm')}, "the comment text has 255 bytes"},
        {{"--album", "tunequilt - Best Of"}, "the album contains \"Tunequilt - \", which the reader removes"},
        {{"--maker", "a[][]b"}, "the maker contains the field separator"},
        {{"--user-number", "12a"}, "the user number \"12a\" is not a decimal number"},
        {{"--count", "3"}, "--count writes a field verbatim and needs --raw"},
        {{"--raw", "--artist-size", "256"}, "--artist-size takes a number from 0 to 255"},
        {{"--tone", "12:0"}, "above 0 Hz"},
        {{"--silence", "-3"}, "--silence takes a number"},
        {{"--title", "First.mp3"}, "--title comes after the track it names"},
        {{"--silence", "1", "--title", "a.mp3", "--title", "b.mp3"}, "track 1 has two titles"},
        {{"--raw", "--silence", "5", "--truncate", "2000"}, "cannot cut at byte 2000: the archive has 1843 bytes"},
        {{"--raw", "--record", "{offset}[][]x"}, "record 1 refers to the offset or length of a track it does not have"},
        {{"--raw", "--mark", std::string(1300, 'M')}, "the tag holds 1325"},
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"--album"}, "--album needs a value"},
        {{"--bare", "--raw", "--silence", "1"}, "--bare writes no archive fields; it takes no --raw"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        write_file(out, "an older archive");
        std::vector<std::string> args = {"-o", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome run = run_tqwrite(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
        EXPECT_EQ(read_file(out), "an older archive");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << "a file left";
    }
    const Outcome no_folder = run_tqwrite({"--silence", "1", "-o", dir.file("no/such/folder.tqa")});
    EXPECT_EQ(no_folder.status, 1);
    EXPECT_NE(no_folder.errors.find("folder.tqa: No such file or directory"), std::string::npos) << no_folder.errors;
    EXPECT_EQ(run_tqwrite({}).status, 1);
    EXPECT_EQ(run_tqwrite({"-o", out}).errors, "") << "no tracks is an archive too";
}

TEST(Command, WritesAnArchive) {
    ScratchDir dir;
    const std::string out = dir.file("Song Book.tqa");
    const Outcome run = run_tqwrite({"--album", "Songs", "--tone", "4000", "--silence", "600", "-o", out});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(read_file(out), written({"--album", "Songs", "--tone", "4000", "--silence", "600"}));
}

TEST(Command, BareWritesOnlyTheTracks) {
    ScratchDir dir;
    const std::string out = dir.file("tone.mp3");
    const Outcome run = run_tqwrite({"--bare", "--album", "Ignored", "--tone", "4000:880", "--silence", "600", "-o", out});
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string archive = written({"--tone", "4000:880", "--silence", "600"});
    EXPECT_EQ(read_file(out), archive.substr(kDirectoryStart + 2 * kRecordBytes));
    EXPECT_EQ(read_file(out).substr(0, 2), "\xFF\xFB") << "starts with an MPEG-1 Layer III frame";
}

TEST(SetList, WordsAndEscapes) {
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"a  b\tc", {"a", "b", "c"}},
        {"--title \"two words\" x\"y z\"", {"--title", "two words", "xy z"}},
        {"\"..\\\\up\" \\\"q\\\"", {"..\\up", "\"q\""}},
        {"\\x01\\x7f\\t\\r\\n", {std::string("\x01\x7f\t\r\n")}},
        {"\\*5:a.mp3 \"\\*3: \"", {"aaaaa.mp3", "   "}},
        {"\"\"", {""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words;
        std::string error;
        EXPECT_TRUE(split_words(c.line, words, error)) << c.line << ": " << error;
        EXPECT_EQ(words, c.words) << c.line;
    }
    for (const char* bad : {"\"open", "\\q", "\\x4", "\\*:a", "end\\"}) {
        std::vector<std::string> words;
        std::string error;
        EXPECT_FALSE(split_words(bad, words, error)) << bad;
    }
}

TEST(SetList, EntriesContinuationsAndDescriptions) {
    std::vector<SetEntry> entries;
    std::string error;
    ASSERT_TRUE(parse_set_list("# first one\n# in two lines\none.tqa --album A\n  --silence 5\n\n"
                               "# dropped by the blank line\n\ntwo.tqa\n",
                               entries, error))
        << error;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "one.tqa");
    EXPECT_EQ(entries[0].description, "first one in two lines");
    EXPECT_EQ(entries[0].args, (std::vector<std::string>{"--album", "A", "--silence", "5"}));
    EXPECT_EQ(entries[1].description, "");
    EXPECT_EQ(entries[1].line, 8);
    EXPECT_FALSE(parse_set_list("  --silence 5\n", entries, error));
}

TEST(SetList, BadListsStopWithTheLine) {
    ScratchDir dir;
    const struct {
        const char* list;
        const char* message;
    } cases[] = {
        {"a.tqa\n../b.tqa\n", "list:2: \"../b.tqa\" is not a file name inside"},
        {"a.tqa\na.tqa\n", "list:2: \"a.tqa\" is listed twice"},
        {"a.tqa -o x\n", "takes no -o"},
        {"a.tqa --tone x\n", "list:1: --tone takes a number"},
    };
    for (const auto& c : cases) {
        write_file(dir.file("list"), c.list);
        const Outcome run = run_tqwrite({"--set", dir.file("list"), dir.file("out")});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
    }
}

// The project's lists: valid archives read back whole, hostile ones are
// all written, and the index names every one.
TEST(SetList, ProjectTestSet) {
    for (const char* set : {"valid", "hostile"}) {
        SCOPED_TRACE(set);
        ScratchDir dir;
        const Outcome run = run_tqwrite({"--set", std::string(ARCHIVE_LISTS) + "/" + set + ".set", dir.path().string()});
        ASSERT_EQ(run.status, 0) << run.errors;
        std::vector<SetEntry> entries;
        std::string error;
        ASSERT_TRUE(parse_set_list(read_file(std::string(ARCHIVE_LISTS) + "/" + set + ".set"), entries, error));
        const std::string index = read_file(dir.file("index.txt"));
        for (const SetEntry& entry : entries) {
            SCOPED_TRACE(entry.name);
            EXPECT_FALSE(entry.description.empty()) << "says what it exercises";
            EXPECT_NE(index.find(entry.name + "\t" + entry.description + "\n"), std::string::npos);
            const std::string bytes = read_file(dir.file(entry.name));
            if (std::string(set) != "valid") {
                EXPECT_TRUE(fs::exists(dir.file(entry.name)));
                continue;
            }
            const ReadArchive read = read_archive(bytes);
            EXPECT_EQ(read.mark, "Tunequilt Album");
            ASSERT_EQ(static_cast<long>(read.records.size()), read.count);
            std::uint64_t next = 1337 + 501 * read.records.size();
            for (const std::string& record : read.records) {
                const Copied copied = copy_track(bytes, record);
                EXPECT_EQ(copied.start, next) << record;
                EXPECT_FALSE(nth_field(record, 3).empty());
                next = copied.start + copied.data.size();
            }
            EXPECT_EQ(next, bytes.size()) << "the tracks fill the archive";
        }
    }
}

}  // namespace
}  // namespace archive::test
