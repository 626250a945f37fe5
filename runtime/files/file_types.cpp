#include "file_types.h"

#include "objects/memory.h"
#include "strings/runtime_string.h"

namespace {
FileType* g_types = nullptr;
std::size_t g_count = 0;
}  // namespace

void file_types_install(FileType* types, std::size_t count) {
    for (std::size_t i = 0; i < g_count; ++i) {
        RuntimeUnlockString(g_types[i].name);
        RuntimeUnlockString(g_types[i].creator);
        RuntimeUnlockString(g_types[i].type);
        RuntimeUnlockString(g_types[i].extensions);
    }
    runtime_free(g_types, sizeof(FileType) * g_count);
    g_types = types;
    g_count = count;
}

std::size_t file_type_count() { return g_count; }

const FileType* file_type_at(std::size_t index) { return index < g_count ? &g_types[index] : nullptr; }
