// Count and Item. One process-wide cache keeps the most recent listing so
// that a loop over Item(1 ... Count) lists the folder once.
#include <windows.h>

#include <cstdint>

#include "file_entry_points.h"
#include "file_lookup.h"
#include "folder_item.h"
#include "objects/memory.h"
#include "path_parts.h"

namespace {

struct Listing {
    RuntimeString* folder;
    RuntimeString** names;
    std::uint32_t count;
    std::uint32_t capacity;
    bool stale;
};

Listing g_listing = {nullptr, nullptr, 0, 0, true};

void clear_listing() {
    for (std::uint32_t i = 0; i < g_listing.count; ++i) RuntimeUnlockString(g_listing.names[i]);
    runtime_free(g_listing.names, g_listing.capacity * sizeof(RuntimeString*));
    RuntimeUnlockString(g_listing.folder);
    g_listing = {nullptr, nullptr, 0, 0, true};
}

void add_name(const char* name) {
    if (g_listing.count == g_listing.capacity) {
        const std::uint32_t capacity = g_listing.capacity ? g_listing.capacity * 2 : 32;
        auto** names = static_cast<RuntimeString**>(runtime_alloc(capacity * sizeof(RuntimeString*)));
        for (std::uint32_t i = 0; i < g_listing.count; ++i) names[i] = g_listing.names[i];
        runtime_free(g_listing.names, g_listing.capacity * sizeof(RuntimeString*));
        g_listing.names = names;
        g_listing.capacity = capacity;
    }
    g_listing.names[g_listing.count++] = string_from_cstr(name);
}

bool dot_entry(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

// Replaces the cache with a fresh listing of `folder`, which Item may then
// use; a folder that cannot be read lists as empty.
void list_folder(RuntimeString* folder) {
    clear_listing();
    RuntimeLockString(folder);
    g_listing.folder = folder;
    RuntimeString* pattern = path_join(text_of(folder), {reinterpret_cast<const std::uint8_t*>("*.*"), 3}, true);
    char buffer[kPathBufferSize];
    WIN32_FIND_DATAA found;
    HANDLE search = path_to_buffer(text_of(pattern), buffer) ? FindFirstFileA(buffer, &found) : INVALID_HANDLE_VALUE;
    RuntimeUnlockString(pattern);
    g_listing.stale = false;
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!dot_entry(found.cFileName)) add_name(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

extern "C" {

std::int32_t fileCountGetter(RuntimeObject* item, std::int32_t) {
    if (!item) return 0;
    list_folder(folder_item_path(item));
    return static_cast<std::int32_t>(g_listing.count);
}

RuntimeObject* FolderItemItem(RuntimeObject* item, std::int32_t index) {
    if (!item) return nullptr;
    RuntimeString* folder = folder_item_path(item);
    if (g_listing.stale || !text_equal_ignoring_case(text_of(g_listing.folder), text_of(folder))) list_folder(folder);
    if (index < 1 || static_cast<std::uint32_t>(index) > g_listing.count) {
        g_listing.stale = true;
        return nullptr;
    }
    g_listing.stale = false;
    return folder_item_new(path_join(text_of(folder), text_of(g_listing.names[index - 1]), true));
}

RuntimeObject* FolderItemTrueItem(RuntimeObject* item, std::int32_t index) { return FolderItemItem(item, index); }

}  // extern "C"
