// An archive read the way the extractor reads one, written apart from the
// writer: fixed positions, the artist frame's low size byte at 43, each
// following frame found from the previous size, trimmed count and records,
// and tracks taken by the extractor's copy loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archive::test {

struct ReadArchive {
    std::string header;  // the tag's first 10 bytes
    std::string mark;    // 15 bytes at 21
    int sizes[3] = {0, 0, 0};
    std::string artist, album, comment;  // as read, before the prefix is removed
    std::string count_text;             // trimmed
    long count = 0;
    std::vector<std::string> records;  // trimmed
};

ReadArchive read_archive(const std::string& bytes);

std::string trim(const std::string& text);
// The n-th "[][]" field (from 1), the last one running to the end; "" if none.
std::string nth_field(const std::string& text, int n);
std::string without_prefix(std::string text);
double string_val(const std::string& text);

struct Copied {
    std::uint64_t start = 0;
    std::string data;
    std::vector<std::uint64_t> pieces;  // the length of every read
};
// The copy loop over the record's length and offset fields.
Copied copy_track(const std::string& bytes, const std::string& record);

}  // namespace archive::test
