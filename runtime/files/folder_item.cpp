#include "folder_item.h"

#include <windows.h>

#include <cstring>

#include "objects/builtin_classes.h"
#include "file_class_members.h"
#include "file_entry_points.h"
#include "file_lookup.h"
#include "path_parts.h"

namespace {

FolderItemObject* fields(RuntimeObject* item) { return reinterpret_cast<FolderItemObject*>(item); }

RuntimeClass* folder_item_class() {
    file_classes_describe();
    return builtin_class(BuiltinClass::FolderItem);
}

Text path_text(RuntimeObject* item) { return text_of(folder_item_path(item)); }

}  // namespace

void folder_item_release(RuntimeObject* object, RuntimeClass*) {
    FolderItemObject* item = fields(object);
    if (item->has_path) RuntimeUnlockString(item->path);
    item->path = nullptr;
    item->has_path = 0;
}

RuntimeObject* folder_item_new(RuntimeString* path) {
    RuntimeObject* item = object_new(folder_item_class());
    fields(item)->path = path;
    fields(item)->has_path = 1;
    return item;
}

RuntimeObject* folder_item_from_text(Text path) { return folder_item_new(string_from_bytes(path.bytes, path.length)); }

RuntimeString* default_folder_path() {
    char module[kPathBufferSize];
    DWORD n = GetModuleFileNameA(GetModuleHandleA(nullptr), module, sizeof module);
    if (n >= sizeof module) n = 0;
    const Text path{reinterpret_cast<const std::uint8_t*>(module), n};
    return string_from_bytes(module, parent_path_length(path));
}

RuntimeString* folder_item_path(RuntimeObject* item) {
    if (!fields(item)->has_path) folder_item_set_path(item, default_folder_path());
    return fields(item)->path;
}

void folder_item_set_path(RuntimeObject* item, RuntimeString* path) {
    file_classes_describe();  // a New FolderItem gets its path here: its destructor must be in place
    FolderItemObject* f = fields(item);
    if (f->has_path) RuntimeUnlockString(f->path);
    f->path = path;
    f->has_path = 1;
}

RuntimeString* path_join(Text base, Text name, bool always_separate) {
    const bool separate = always_separate || base.length == 0 || base.bytes[base.length - 1] != '\\';
    const std::size_t n = base.length + (separate ? 1 : 0) + name.length;
    if (n == 0) return nullptr;
    RuntimeString* joined = string_allocate(n);
    std::uint8_t* out = string_bytes(joined);
    std::memcpy(out, base.bytes, base.length);
    if (separate) out[base.length] = '\\';
    std::memcpy(out + n - name.length, name.bytes, name.length);
    return joined;
}

extern "C" {

RuntimeObject* FolderItemFromPath(const char* path) { return folder_item_new(string_from_cstr(path ? path : "")); }

RuntimeString* TAVOpathFromFolderItem(RuntimeObject* item) { return fileAbsolutePathGetter(item, 0); }

RuntimeString* fileAbsolutePathGetter(RuntimeObject* item, std::int32_t) {
    if (!item) return nullptr;
    RuntimeString* path = folder_item_path(item);
    return string_slice(path, 0, trimmed_length(text_of(path)));
}

RuntimeString* fileNameGetter(RuntimeObject* item, std::int32_t) {
    if (!item) return nullptr;
    RuntimeString* path = folder_item_path(item);
    const PathParts parts = path_parts(text_of(path));
    return string_slice(path, parts.name_start, parts.name_length);
}

RuntimeObject* folderParentGetter(RuntimeObject* item, std::int32_t) {
    if (!item) return nullptr;
    const Text path = path_text(item);
    const Text parent{path.bytes, parent_path_length(path)};
    if (text_equal_ignoring_case(parent, {path.bytes, trimmed_length(path)})) return nullptr;
    return folder_item_from_text(parent);
}

RuntimeObject* FolderChild(RuntimeObject* item, RuntimeString* name) {
    if (!item) return nullptr;
    return folder_item_new(path_join(path_text(item), text_of(name), false));
}

RuntimeObject* FolderTrueChild(RuntimeObject* item, RuntimeString* name) { return FolderChild(item, name); }

RuntimeObject* RuntimeGetFolderItem(RuntimeString* path) {
    const Text given = text_of(path);
    RuntimeString* resolved;
    if (path_has_volume(given)) {
        RuntimeLockString(path);
        resolved = path;
    } else {
        RuntimeString* base = default_folder_path();
        const Text base_text = text_of(base);
        if (given.length && given.bytes[0] == '\\') {
            const Text volume{base_text.bytes, path_parts(base_text).volume_length};
            resolved = path_join(volume, {given.bytes + 1, given.length - 1}, false);
        } else {
            resolved = path_join(base_text, given, true);
        }
        RuntimeUnlockString(base);
    }
    const Text r = text_of(resolved);
    if (!path_is_directory({r.bytes, parent_path_length(r)})) {
        RuntimeUnlockString(resolved);
        return nullptr;
    }
    return folder_item_new(resolved);
}

RuntimeObject* RuntimeGetTrueFolderItem(RuntimeString* path) { return RuntimeGetFolderItem(path); }

}  // extern "C"
