// The linker: binds the image's call chains to runtime entry points, library
// routines and (later) plugin members, and relocates the data block. Every
// offset read from the image is checked against its block before use.
#pragma once

#include <cstdint>

#include "strings/runtime_string.h"

struct ImageMemory {
    std::uint8_t* code;
    std::uint32_t code_size;
    std::uint8_t* data;
    std::uint32_t data_size;
    bool code_protected;  // code pages are read-execute; lift that to write
};

// Null on success; otherwise the message to show (owned by the caller).
// Records before a failure stay bound.
RuntimeString* link_image(const ImageMemory& image, const std::uint8_t* link, std::uint32_t link_size);
RuntimeString* relocate_data(const ImageMemory& image, const std::uint8_t* res, std::uint32_t res_size);

// Plugin member references are bound once the plugins are installed.
using PluginMemberLookup = void* (*)(RuntimeString* reference);
void set_plugin_member_lookup(PluginMemberLookup lookup);
void resolve_pending_plugin_references();
int pending_plugin_reference_count();

// Libraries loaded for declarations so far (each name once).
int loaded_library_count();

// Writes target - (field + 4) into every displacement field of a chain.
// False (and nothing written) when a link leaves the code block or loops,
// or two fields share bytes.
bool bind_chain(const ImageMemory& image, std::uint32_t head, const void* target);

// The message for an image whose records point outside their blocks.
RuntimeString* damaged_image_message(const char* detail);
