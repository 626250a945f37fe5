// FolderItem: a runtime object naming a file or folder by its Windows path.
// It holds no open file and caches nothing about the file.
#pragma once

#include <cstdint>

#include "objects/objects.h"
#include "strings/runtime_string.h"
#include "strings/string_text.h"

struct FolderItemObject {
    RuntimeObject header;
    std::uint8_t has_path;
    RuntimeString* path;  // one reference while has_path is set; nil is the empty path
};
static_assert(sizeof(FolderItemObject) == 32, "the size of the built-in class");

// Compiled code passes Booleans in a full word of which only the low byte counts.
inline bool boolean_argument(std::int32_t value) { return (value & 0xFF) != 0; }

// The class's destructor: releases the path.
void folder_item_release(RuntimeObject* item, RuntimeClass* cls);

// A new FolderItem holding `path` (the caller's reference is taken over).
RuntimeObject* folder_item_new(RuntimeString* path);
// The same from bytes.
RuntimeObject* folder_item_from_text(Text path);
// The item's path, giving a New FolderItem the default folder first; a
// borrowed reference.
RuntimeString* folder_item_path(RuntimeObject* item);
// Replaces the path (the caller's reference is taken over).
void folder_item_set_path(RuntimeObject* item, RuntimeString* path);
// The folder of the running executable, without a trailing "\".
RuntimeString* default_folder_path();
// `base`, then "\" unless it ends with one (or `always_separate`), then `name`.
RuntimeString* path_join(Text base, Text name, bool always_separate);
