// The classes and controls plugins registered, each list newest first, and
// the lookups of classes by name that the plugin host and the image use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugin_interface.h"

struct PluginRecord;
struct RuntimeClass;
struct RuntimeString;

struct PluginClass {
    PluginClass* next;
    RuntimeClass* cls;
    PluginRecord* plugin;
    TAVOClassDefinition* definition;       // a class: completed once all plugins are in
    const TAVOControlDefinition* control;  // a control, in the current form
    std::uintptr_t context;                // the plugin's, kept with the constructor and destructor
    bool completed;
};

PluginClass* plugin_classes_newest();
PluginClass* plugin_controls_newest();
void plugin_classes_add(PluginClass* entry);
void plugin_controls_add(PluginClass* entry);
// The entry of a plugin class or control; null for other classes.
PluginClass* plugin_class_entry(const RuntimeClass* cls);

// Built-in and project classes, then plugin controls, then plugin classes.
RuntimeClass* plugin_host_class_named(const char* name, std::size_t length);
// For the image's records of provided classes, after the built-in ones:
// plugin classes, then plugin controls.
RuntimeClass* plugin_image_class_named(const RuntimeString* name);

// Fills in the plugin classes (superclass, layout, members), newest first.
void plugin_classes_complete();
