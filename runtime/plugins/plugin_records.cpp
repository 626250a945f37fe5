#include "plugin_records.h"

#include <windows.h>

#include "image/export_table.h"
#include "objects/memory.h"
#include "startup/process.h"

namespace {
PluginRecord* g_newest = nullptr;
PluginRecord* g_current = nullptr;
}  // namespace

PluginRecord* current_plugin() { return g_current; }
PluginRecord* newest_plugin() { return g_newest; }

void* plugin_resolve(const char* name) { return export_lookup_plugin(name); }

void plugin_enter(TAVOPluginEntry entry) {
    auto* record = static_cast<PluginRecord*>(runtime_alloc(sizeof(PluginRecord)));
    record->identifiers[0] = record->identifiers[1] = -1;
    record->version = 1;
    record->context = reinterpret_cast<std::uintptr_t>(process_instance());
    record->next = g_newest;
    g_newest = record;
    g_current = record;
    entry(&plugin_resolve);
    g_current = nullptr;
}

bool plugin_load(const char* path) {
    HMODULE module = LoadLibraryA(path);
    if (!module) return false;
    auto entry = reinterpret_cast<TAVOPluginEntry>(reinterpret_cast<void*>(GetProcAddress(module, "TAVOPluginMain")));
    if (!entry) return false;
    plugin_enter(entry);
    return true;
}

void* plugin_export_function(const PluginRecord* plugin, std::int32_t index) {
    if (!plugin || !plugin->exports || index < 0) return nullptr;
    return plugin->exports[index].function;
}
