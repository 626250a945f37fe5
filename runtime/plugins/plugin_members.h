// Members that plugin definitions add to a class: properties (their
// accessors, or the runtime's field accessors for -1), methods with their
// parsed declarations, events, event handlers and interfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "declaration_parser.h"
#include "plugin_interface.h"

struct ClassMethod;
struct PluginRecord;
struct RuntimeClass;
struct RuntimeObject;

struct PluginMethod {
    PluginMethod* next;
    const RuntimeClass* cls;  // null for a global method
    ClassMethod* entry;       // the parsed name and the function; null for a global method
    const char* declaration;
    void* function;
    void* second_function;
    ParsedDeclaration parsed;
};

// `base` is where the definitions' field offsets count from; `control`
// makes field setters of properties with flag bit 0 redraw the control.
void plugin_add_properties(RuntimeClass* cls, const TAVOPropertyDefinition* properties, std::int32_t count,
                           std::uint32_t base, bool control);
void plugin_add_methods(RuntimeClass* cls, const TAVOMethodDefinition* methods, std::int32_t count);
void plugin_add_events(RuntimeClass* cls, TAVOEventDefinition* events, std::int32_t count);
void plugin_add_event_instances(RuntimeClass* cls, const PluginRecord* plugin,
                                const TAVOEventInstanceDefinition* instances, std::int32_t count);
void plugin_add_interfaces(RuntimeClass* cls, const char* names);

// Releases the strings and objects that field properties of `cls` hold in
// `object` (the plugin cannot know of them); called as the instance dies.
void plugin_release_fields(RuntimeObject* object, const RuntimeClass* cls);

// The method of `cls` (or a superclass) whose declaration text is `member`,
// letter case ignored.
const PluginMethod* plugin_method_declared(const RuntimeClass* cls, const char* member, std::size_t length);

// Global methods, newest first; the declaration is matched as text only.
void plugin_add_global_method(const TAVOMethodDefinition& definition);
const PluginMethod* plugin_global_method_declared(const char* member, std::size_t length);
