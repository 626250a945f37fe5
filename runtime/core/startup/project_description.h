// The project description handed to RuntimeInit: the image's class table
// and its project items (pictures, sounds, movies, the menu bar, the
// settings, automatically created objects). Every pointer and count is
// checked against the image's blocks before it is followed.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeClass;
struct RuntimeObject;
struct RuntimeString;

// Where the description's records may lie.
struct DataSpan {
    const std::uint8_t* start;
    std::size_t size;
    bool contains(const void* p, std::size_t n) const {
        auto* b = static_cast<const std::uint8_t*>(p);
        return b >= start && n <= size && static_cast<std::size_t>(b - start) <= size - n;
    }
};

// The blocks a description may point into: records and strings lie in the
// data, handlers, methods and the other code pointers in the code.
struct DescriptionBlocks {
    DataSpan data;
    DataSpan code;
};

// Why a description cannot be run.
enum class DescriptionDamage { none, outside_data, outside_code, inherits_from_itself };

// Plugin classes and controls (found by name after the built-in classes).
using PluginClassLookup = RuntimeClass* (*)(const RuntimeString* name);
void project_set_plugin_class_lookup(PluginClassLookup lookup);

// Builds the class table (four passes) and installs it. Returns the
// application class (the last image class descending from Application), or
// null. `damage` tells why a damaged description was refused.
RuntimeClass* project_read_classes(const std::uint8_t* description, const DescriptionBlocks& blocks,
                                   DescriptionDamage& damage);

// Creates the project items in order. The description pointer is the same.
bool project_read_items(const std::uint8_t* description, const DataSpan& data);

// Objects for item kinds whose classes belong to other areas; each returns a
// new object or nil. `data` points at the bytes after the kind word.
struct ProjectItemFactories {
    RuntimeObject* (*picture)(const std::uint8_t* data, const DataSpan& span);
    RuntimeObject* (*movie)(std::uint32_t id);
    RuntimeObject* (*sound)(const std::uint8_t* data, const DataSpan& span);
    RuntimeObject* (*value_item_7)(std::uint32_t value);
    RuntimeObject* (*value_item_8)(std::uint32_t value);
    RuntimeObject* (*cursor)(std::uint32_t id);
    RuntimeObject* (*database)(RuntimeString* path, std::uint32_t a, std::uint32_t b);
};
ProjectItemFactories& project_item_factories();

// The menu bar stream of the description, for the menu code; null if none.
const std::uint8_t* project_menu_bar(std::size_t& length);

extern "C" RuntimeObject* RuntimeProjectObject(std::int32_t item);
