#include "file_lookup.h"

#include <cstring>

bool path_to_buffer(Text path, char (&buffer)[kPathBufferSize]) {
    if (path.length >= kPathBufferSize) return false;
    std::memcpy(buffer, path.bytes, path.length);
    buffer[path.length] = '\0';
    return true;
}

bool path_lookup(Text path, WIN32_FIND_DATAA* found) {
    char buffer[kPathBufferSize];
    if (!path_to_buffer(path, buffer)) return false;
    HANDLE search = FindFirstFileA(buffer, found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool path_is_directory(Text path) {
    if (path.length == 2 && path.bytes[1] == ':') return true;
    WIN32_FIND_DATAA found;
    return path_lookup(path, &found) && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
