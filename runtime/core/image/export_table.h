// The runtime export table: the named entry points that images and plugins
// bind to, in a fixed slot order.
#pragma once

#include <cstdint>

struct ExportSlot {
    const char* name;  // null: empty slot
    void* entry;
    std::uint32_t reserved[2];
};

constexpr int kExportSlotCount = 1132;
constexpr int kFilledExportSlots = 1004;

extern const ExportSlot g_export_table[kExportSlotCount];

// Link-time lookup: the first slot whose name equals `name` ignoring case.
void* export_lookup_link(const char* name);
// Plugin lookup by name through a hashed dictionary built on first use.
void* export_lookup_plugin(const char* name);
// The dictionary's hash (low 8 bits select the bucket).
std::uint32_t export_name_hash(const char* name);
