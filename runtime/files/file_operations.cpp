// Changes to the file system. None reports its outcome: the application
// checks Exists or the like afterwards.
#include <windows.h>

#include <cstdio>

#include "file_entry_points.h"
#include "file_lookup.h"
#include "folder_item.h"
#include "path_parts.h"

namespace {

// Where a copy or move of `source` to `destination` lands: inside the
// destination when it is a folder.
RuntimeString* target_path(RuntimeObject* source, RuntimeObject* destination) {
    RuntimeString* to = folder_item_path(destination);
    const Text to_text = text_of(to);
    if (!path_is_directory(to_text)) {
        RuntimeLockString(to);
        return to;
    }
    const Text from = text_of(folder_item_path(source));
    const PathParts parts = path_parts(from);
    return path_join(to_text, {from.bytes + parts.name_start, parts.name_length}, true);
}

using Transfer = void (*)(const char* from, const char* to);

void transfer(RuntimeObject* source, RuntimeObject* destination, Transfer how) {
    if (!source || !destination) return;
    char from[kPathBufferSize], to[kPathBufferSize];
    RuntimeString* target = target_path(source, destination);
    const bool fits = path_to_buffer(text_of(folder_item_path(source)), from) && path_to_buffer(text_of(target), to);
    RuntimeUnlockString(target);
    if (fits) how(from, to);
}

void open_with_shell(const char* what) { ShellExecuteA(nullptr, "open", what, nullptr, nullptr, SW_SHOW); }

}  // namespace

extern "C" {

void fileNameSetter(RuntimeObject* item, std::int32_t, RuntimeString* name) {
    if (!item) return;
    const Text new_name = text_of(name);
    RuntimeString* new_path;
    if (path_has_volume(new_name)) {
        RuntimeLockString(name);
        new_path = name;
    } else {
        const Text path = text_of(folder_item_path(item));
        new_path = path_join({path.bytes, parent_path_length(path)}, new_name, false);
    }
    char from[kPathBufferSize], to[kPathBufferSize];
    if (path_to_buffer(text_of(folder_item_path(item)), from) && path_to_buffer(text_of(new_path), to))
        std::rename(from, to);
    folder_item_set_path(item, new_path);
}

void FolderItemDelete(RuntimeObject* item) {
    char path[kPathBufferSize];
    if (!item || !path_to_buffer(text_of(folder_item_path(item)), path)) return;
    if (path_is_directory(text_of(folder_item_path(item)))) RemoveDirectoryA(path);
    else DeleteFileA(path);
}

void FolderItemCreateAsFolder(RuntimeObject* item) {
    char path[kPathBufferSize];
    if (item && path_to_buffer(text_of(folder_item_path(item)), path)) CreateDirectoryA(path, nullptr);
}

void FolderItemCopyFileTo(RuntimeObject* source, RuntimeObject* destination) {
    transfer(source, destination, [](const char* from, const char* to) { CopyFileA(from, to, FALSE); });
}

void FolderItemMoveFileTo(RuntimeObject* source, RuntimeObject* destination) {
    transfer(source, destination, [](const char* from, const char* to) { MoveFileA(from, to); });
}

void FolderItemLaunch(RuntimeObject* item) {
    char path[kPathBufferSize];
    if (item && path_to_buffer(text_of(folder_item_path(item)), path)) open_with_shell(path);
}

void GlobalShowURL(RuntimeString* url) {
    RuntimeLockString(url);
    open_with_shell(string_cstr(url));
    RuntimeUnlockString(url);
}

void RuntimeShowURL(void*, RuntimeString* url) { GlobalShowURL(url); }

}  // extern "C"
