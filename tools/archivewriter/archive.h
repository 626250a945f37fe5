// The album archive: a 1,325-byte ID3v2 tag whose frames carry the mark, the
// artist, the album and the comment ("maker[][]number"), a 12-byte track
// count text, one 501-byte text record per track ("length[][]offset[][]title")
// and then the MP3 data of every track.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace archive {

constexpr std::size_t kTagBytes = 1325;
constexpr std::size_t kCountBytes = 12;
constexpr std::size_t kRecordBytes = 501;
constexpr std::size_t kDirectoryStart = kTagBytes + kCountBytes;
constexpr std::size_t kFrameTextLimit = 254;  // the size's low byte holds the encoding byte too

extern const char kMark[];       // the text of the tag's first frame
extern const char kPrefix[];     // removed from the tag texts by the reader
extern const char kSeparator[];  // between the fields of the comment and of a record

struct Payload {
    enum class Kind { File, Silence, Tone };
    Kind kind = Kind::Silence;
    std::string path;        // Kind::File
    std::uint64_t bytes = 0;  // generated length; a file's length once planned
    int tone_hz = 0;
};

struct Track {
    Payload payload;
    std::optional<std::string> title;
};

// What to write. In raw mode nothing is checked for how it reads back, and
// the optional fields below replace what would be composed.
struct Request {
    bool raw = false;
    bool bare = false;  // the tracks' data only: no tag, count or records
    std::string album;
    std::string artist;
    std::string maker;
    std::optional<std::string> user_number;
    int prefixes = 0;  // how many times each tag text starts with kPrefix
    std::vector<Track> tracks;

    std::optional<std::string> mark;
    std::optional<std::string> comment;
    std::optional<std::string> count;
    // Verbatim records; "{offset}" and "{length}" stand for those of the track
    // with the record's number.
    std::vector<std::string> records;
    std::optional<int> artist_size;
    std::optional<int> album_size;
    std::optional<int> comment_size;
    char pad = ' ';
    std::optional<std::uint64_t> truncate;
};

// Everything before the track data, then the tracks' data in order.
struct Plan {
    std::string head;
    std::vector<Payload> payloads;
    std::uint64_t total = 0;  // untruncated
    std::optional<std::uint64_t> truncate;
};

bool plan_archive(const Request& request, Plan& plan, std::string& error);

}  // namespace archive
