// Loaded plugins: one record each, newest first, for the life of the
// process. While a plugin's entry point runs its record is the current
// plugin, to which the registration services attach what they create.
#pragma once

#include <cstdint>

#include "plugin_interface.h"

struct RuntimeString;

struct PluginDataSource {
    PluginDataSource* next;
    RuntimeString* name;
    void* callback;
};

struct PluginRecord {
    PluginRecord* next;  // the plugin loaded before this one
    const TAVOExport* exports;  // from RegisterPluginExports; null until then
    std::int32_t identifiers[2];  // -1 at load
    std::int32_t version;  // interface version, 1 until the plugin says otherwise
    std::uint8_t uses_sockets;
    std::uintptr_t context;  // stored with each constructor and destructor
    PluginDataSource* data_sources;
};

// Null outside an entry call.
PluginRecord* current_plugin();
PluginRecord* newest_plugin();

// LoadLibraryA, TAVOPluginMain, enter. False when the DLL cannot be loaded
// or has no entry point (it is then skipped without a message).
bool plugin_load(const char* path);
// Creates the record and calls the entry point with the resolver.
void plugin_enter(TAVOPluginEntry entry);

// The function of an exports entry of the plugin; null without exports or
// for a negative index.
void* plugin_export_function(const PluginRecord* plugin, std::int32_t index);

// The resolver handed to every plugin.
void* plugin_resolve(const char* name);
