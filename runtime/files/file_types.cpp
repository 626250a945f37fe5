#include "file_types.h"

namespace {
FileType* g_types = nullptr;
std::size_t g_count = 0;
}  // namespace

void file_types_install(FileType* types, std::size_t count) {
    g_types = types;
    g_count = count;
}

std::size_t file_type_count() { return g_count; }

const FileType* file_type_at(std::size_t index) { return index < g_count ? &g_types[index] : nullptr; }
