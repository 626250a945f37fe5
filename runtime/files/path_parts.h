// Splitting a Windows path into volume, directory and name. Every part is a
// slice of the path; the parent path is always a prefix of it.
#pragma once

#include <cstddef>

#include "strings/string_text.h"

struct PathParts {
    std::size_t volume_length;  // the volume is the path's first bytes
    std::size_t directory_start, directory_length;
    std::size_t name_start, name_length;
};

PathParts path_parts(Text path);
// Volume, then the directory without its trailing "\"; the volume alone
// when there is no directory.
std::size_t parent_path_length(Text path);
// The path less one trailing "\".
std::size_t trimmed_length(Text path);
// A drive ("C:...") or UNC ("\\...") path, as opposed to a relative one.
bool path_has_volume(Text path);
// Letters compare through the system's upper-case map.
bool text_equal_ignoring_case(Text a, Text b);
bool text_ends_with_ignoring_case(Text text, Text suffix);
