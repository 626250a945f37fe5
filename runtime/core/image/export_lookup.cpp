#include <windows.h>

#include <cstring>

#include "image/export_table.h"
#include "objects/memory.h"
#include "objects/names.h"

void* export_lookup_link(const char* name) {
    for (const ExportSlot& slot : g_export_table) {
        if (slot.name && lstrcmpiA(slot.name, name) == 0) return slot.entry;
    }
    return nullptr;
}

std::uint32_t export_name_hash(const char* name) {
    std::uint32_t hash = 0;
    for (const char* p = name; *p; ++p) hash = name_fold(static_cast<std::uint8_t>(*p)) ^ (hash << 2);
    return hash;
}

namespace {

struct DictEntry {
    DictEntry* next;
    const ExportSlot* slot;
};

constexpr int kBuckets = 256;
DictEntry** g_buckets = nullptr;

void build_dictionary() {
    g_buckets = static_cast<DictEntry**>(runtime_alloc(kBuckets * sizeof(DictEntry*)));
    // Walk backwards so that each bucket lists its slots in slot order and a
    // repeated name finds its first slot.
    for (int i = kExportSlotCount - 1; i >= 0; --i) {
        const ExportSlot& slot = g_export_table[i];
        if (!slot.name) continue;
        auto* entry = static_cast<DictEntry*>(runtime_alloc(sizeof(DictEntry)));
        std::uint32_t bucket = export_name_hash(slot.name) & 0xFF;
        entry->slot = &slot;
        entry->next = g_buckets[bucket];
        g_buckets[bucket] = entry;
    }
}

}  // namespace

void* export_lookup_plugin(const char* name) {
    if (!name) return nullptr;
    if (!g_buckets) build_dictionary();
    std::size_t length = std::strlen(name);
    for (DictEntry* e = g_buckets[export_name_hash(name) & 0xFF]; e; e = e->next) {
        if (name_compare(e->slot->name, std::strlen(e->slot->name), name, length) == 0) return e->slot->entry;
    }
    return nullptr;
}
