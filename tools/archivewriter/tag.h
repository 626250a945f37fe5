// The ID3v2.3 tag at the start of an archive, always 1,325 bytes: the mark
// frame, then artist, album and comment frames found by position alone.
#pragma once

#include <optional>
#include <string>

namespace archive {

struct TagTexts {
    std::string mark;
    std::string artist;
    std::string album;
    std::string comment;
    // The low size byte of each frame where it is not 1 + the text's length.
    std::optional<int> artist_size;
    std::optional<int> album_size;
    std::optional<int> comment_size;
};

bool build_tag(const TagTexts& texts, std::string& tag, std::string& error);

}  // namespace archive
