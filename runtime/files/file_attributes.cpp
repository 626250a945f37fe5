// Queries and attribute changes: every call looks the item up afresh.
#include <windows.h>

#include <cstdint>

#include "file_entry_points.h"
#include "file_lookup.h"
#include "folder_item.h"

namespace {

bool lookup(RuntimeObject* item, WIN32_FIND_DATAA* found) {
    return item && path_lookup(text_of(folder_item_path(item)), found);
}

// Sets or clears `bit` in the attributes of an existing item.
void change_attribute(RuntimeObject* item, DWORD bit, bool set) {
    WIN32_FIND_DATAA found;
    if (!lookup(item, &found)) return;
    char path[kPathBufferSize];
    if (!path_to_buffer(text_of(folder_item_path(item)), path)) return;
    const DWORD attributes = set ? found.dwFileAttributes | bit : found.dwFileAttributes & ~bit;
    SetFileAttributesA(path, attributes);
}

}  // namespace

extern "C" {

bool fileExistsGetter(RuntimeObject* item, std::int32_t) {
    WIN32_FIND_DATAA found;
    return lookup(item, &found);
}

std::int32_t fileSizeGetter(RuntimeObject* item, std::int32_t) {
    WIN32_FIND_DATAA found;
    return lookup(item, &found) ? static_cast<std::int32_t>(found.nFileSizeLow) : 0;
}

bool fileDirectoryGetter(RuntimeObject* item, std::int32_t) {
    return item && path_is_directory(text_of(folder_item_path(item)));
}

bool fileLockedGetter(RuntimeObject* item, std::int32_t) {
    WIN32_FIND_DATAA found;
    return lookup(item, &found) && (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
}

void fileLockedSetter(RuntimeObject* item, std::int32_t, std::int32_t locked) {
    change_attribute(item, FILE_ATTRIBUTE_READONLY, boolean_argument(locked));
}

bool fileVisibleGetter(RuntimeObject* item, std::int32_t) {
    WIN32_FIND_DATAA found;
    return !(lookup(item, &found) && (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN));
}

void fileVisibleSetter(RuntimeObject* item, std::int32_t, std::int32_t visible) {
    change_attribute(item, FILE_ATTRIBUTE_HIDDEN, !boolean_argument(visible));
}

// What other systems keep beside a file has no counterpart here.
bool fileAliasGetter(RuntimeObject*, std::int32_t) { return false; }
std::int32_t fileRFSizeGetter(RuntimeObject*, std::int32_t) { return 0; }
RuntimeString* fileMacTypeGetter(RuntimeObject*, std::int32_t) { return nullptr; }
void fileMacTypeSetter(RuntimeObject*, std::int32_t, RuntimeString*) {}
RuntimeString* fileMacCreatorGetter(RuntimeObject*, std::int32_t) { return nullptr; }
void fileMacCreatorSetter(RuntimeObject*, std::int32_t, RuntimeString*) {}
RuntimeObject* folderFindFolder(RuntimeObject*, std::int32_t) { return nullptr; }

}  // extern "C"
