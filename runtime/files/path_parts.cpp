#include "path_parts.h"

#include "strings/char_tables.h"

namespace {

std::size_t first_colon(Text path) {
    for (std::size_t i = 0; i < path.length; ++i)
        if (path.bytes[i] == ':') return i;
    return path.length;
}

bool unc_form(Text path) { return path.length >= 2 && path.bytes[1] == '\\'; }

}  // namespace

std::size_t trimmed_length(Text path) {
    return path.length && path.bytes[path.length - 1] == '\\' ? path.length - 1 : path.length;
}

bool path_has_volume(Text path) { return first_colon(path) < path.length || unc_form(path); }

PathParts path_parts(Text path) {
    PathParts parts{};
    const std::size_t colon = first_colon(path);
    std::size_t short_volume;
    std::size_t remainder_start, remainder_end;
    if (colon < path.length) {
        if (path.length <= colon + 2) {
            parts.volume_length = colon + 1;
            parts.name_length = colon + 1;
            return parts;
        }
        parts.volume_length = colon + 2;
        short_volume = colon + 1;
        remainder_start = colon + 2;
        remainder_end = trimmed_length(path);
    } else if (unc_form(path)) {
        parts.volume_length = 2;
        short_volume = 1;
        remainder_start = 2;
        remainder_end = path.length;
    } else {
        parts.directory_length = parts.name_length = path.length;
        return parts;
    }
    std::size_t last_slash = remainder_end;
    for (std::size_t i = remainder_start; i < remainder_end; ++i)
        if (path.bytes[i] == '\\') last_slash = i;
    if (last_slash < remainder_end) {
        parts.directory_start = remainder_start;
        parts.directory_length = last_slash + 1 - remainder_start;
        parts.name_start = last_slash + 1;
        parts.name_length = remainder_end - parts.name_start;
    } else {
        parts.volume_length = short_volume;
        parts.name_start = remainder_start;
        parts.name_length = remainder_end - remainder_start;
    }
    return parts;
}

std::size_t parent_path_length(Text path) {
    const PathParts parts = path_parts(path);
    if (parts.directory_length == 0) return parts.volume_length;
    const std::size_t end = parts.directory_start + parts.directory_length;
    return path.bytes[end - 1] == '\\' ? end - 1 : end;
}

bool text_equal_ignoring_case(Text a, Text b) {
    if (a.length != b.length) return false;
    const std::uint8_t* upper = char_tables().upper;
    for (std::size_t i = 0; i < a.length; ++i)
        if (upper[a.bytes[i]] != upper[b.bytes[i]]) return false;
    return true;
}

bool text_ends_with_ignoring_case(Text text, Text suffix) {
    if (suffix.length > text.length) return false;
    return text_equal_ignoring_case({text.bytes + text.length - suffix.length, suffix.length}, suffix);
}
