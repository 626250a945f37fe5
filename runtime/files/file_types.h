// The project's file types, in the order the application declares them:
// used for FolderItem types and the file dialogs' filters.
#pragma once

#include <cstddef>

struct RuntimeString;

struct FileType {
    RuntimeString* name;
    RuntimeString* creator;     // four-character code
    RuntimeString* type;        // four-character code, e.g. "MP3 "
    RuntimeString* extensions;  // ";"-separated, e.g. ".mp3;.mpg"
};

// Takes ownership of `types` (from runtime_alloc, `count` entries) and their
// strings; the list installed before is released.
void file_types_install(FileType* types, std::size_t count);
std::size_t file_type_count();
const FileType* file_type_at(std::size_t index);  // null when out of range
