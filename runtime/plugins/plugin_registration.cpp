// The registration services plugins call during their entry call, and the
// completion of plugin classes once every plugin is in.
#include <cstring>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "plugin_classes.h"
#include "plugin_members.h"
#include "plugin_pane.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

namespace {

constexpr std::uint32_t kObjectHeaderSize = sizeof(RuntimeObject);
// Where a control's plugin data starts: after the fields every control has.
constexpr std::uint32_t kControlHeaderSize = 92;
constexpr std::int32_t kOldDefaultSize = 100;

bool name_taken(const char* name) { return plugin_host_class_named(name, std::strlen(name)) != nullptr; }

void construct_class(RuntimeObject* object, RuntimeClass* cls) {
    PluginClass* entry = plugin_class_entry(cls);
    if (entry && entry->definition && entry->definition->constructor) entry->definition->constructor(object);
}
void destruct_class(RuntimeObject* object, RuntimeClass* cls) {
    PluginClass* entry = plugin_class_entry(cls);
    if (entry && entry->definition && entry->definition->destructor) entry->definition->destructor(object);
    plugin_release_fields(object, cls);
}
void construct_control(RuntimeObject* object, RuntimeClass* cls) {
    PluginClass* entry = plugin_class_entry(cls);
    if (entry && entry->control->behaviour && entry->control->behaviour->constructor) {
        entry->control->behaviour->constructor(object);
    }
}
void destruct_control(RuntimeObject* object, RuntimeClass* cls) {
    PluginClass* entry = plugin_class_entry(cls);
    if (entry && entry->control->behaviour && entry->control->behaviour->destructor) {
        entry->control->behaviour->destructor(object);
    }
    plugin_release_fields(object, cls);
}

PluginClass* new_entry(RuntimeClass* cls, PluginRecord* plugin) {
    auto* entry = static_cast<PluginClass*>(runtime_alloc(sizeof(PluginClass)));
    entry->cls = cls;
    entry->plugin = plugin;
    entry->context = plugin->context;
    return entry;
}

void complete(PluginClass* entry) {
    if (entry->completed) return;
    entry->completed = true;
    TAVOClassDefinition* d = entry->definition;
    RuntimeClass* cls = entry->cls;
    RuntimeClass* super = d->superclass && *d->superclass ? plugin_host_class_named(d->superclass, std::strlen(d->superclass))
                                                         : nullptr;
    // A plugin superclass must have its own layout before ours follows it.
    if (PluginClass* super_entry = super ? plugin_class_entry(super) : nullptr) {
        if (super_entry->definition) complete(super_entry);
    }
    if (super) {
        cls->superclass = super;
        d->data_offset = super->instance_size;
    } else {
        cls->superclass = builtin_class(BuiltinClass::Object);
        d->data_offset = kObjectHeaderSize;
    }
    cls->instance_size = d->data_offset + d->data_size;
    plugin_add_properties(cls, d->properties, d->property_count, d->data_offset, false);
    plugin_add_methods(cls, d->methods, d->method_count);
    plugin_add_events(cls, d->events, d->event_count);
    plugin_add_event_instances(cls, entry->plugin, d->event_instances, d->event_instance_count);
    plugin_add_interfaces(cls, d->interfaces);
}

// The old control form: properties become field properties, methods name
// exports, and the default size is fixed.
const TAVOControlDefinition* converted_control(const TAVOControlDefinition* old, const PluginRecord* plugin) {
    auto* d = static_cast<TAVOControlDefinition*>(runtime_alloc(sizeof(TAVOControlDefinition)));
    std::memcpy(d, old, offsetof(TAVOControlDefinition, event_instances));
    d->default_width = d->default_height = kOldDefaultSize;
    if (old->properties && old->property_count > 0) {
        std::size_t n = static_cast<std::size_t>(old->property_count);
        auto* properties = static_cast<TAVOPropertyDefinition*>(runtime_alloc(n * sizeof(TAVOPropertyDefinition)));
        std::memcpy(properties, old->properties, n * sizeof(TAVOPropertyDefinition));
        for (std::size_t i = 0; i < n; ++i) properties[i].getter = properties[i].setter = TAVO_FIELD_ACCESSOR;
        d->properties = properties;
    }
    if (old->methods && old->method_count > 0) {
        std::size_t n = static_cast<std::size_t>(old->method_count);
        auto* from = static_cast<const TAVOOldMethodDefinition*>(old->methods);
        auto* methods = static_cast<TAVOMethodDefinition*>(runtime_alloc(n * sizeof(TAVOMethodDefinition)));
        for (std::size_t i = 0; i < n; ++i) {
            methods[i] = {plugin_export_function(plugin, from[i].export_index), nullptr, from[i].declaration};
        }
        d->methods = methods;
    }
    return d;
}

}  // namespace

extern "C" {

void PluginRegisterMethod(const void* definition) {
    PluginRecord* plugin = current_plugin();
    if (!plugin || !definition) return;
    if (plugin->version == 1) {
        auto* old = static_cast<const TAVOOldMethodDefinition*>(definition);
        TAVOMethodDefinition current = {plugin_export_function(plugin, old->export_index), nullptr, old->declaration};
        if (current.function) plugin_add_global_method(current);
    } else if (plugin->version >= 3) {
        plugin_add_global_method(*static_cast<const TAVOMethodDefinition*>(definition));
    }
}

void PluginRegisterClass(TAVOClassDefinition* definition) {
    PluginRecord* plugin = current_plugin();
    if (!plugin || plugin->version < 3 || !definition || !definition->name || name_taken(definition->name)) return;
    RuntimeClass* cls = class_new(string_from_cstr(definition->name));
    cls->constructor = construct_class;
    cls->destructor = destruct_class;
    PluginClass* entry = new_entry(cls, plugin);
    entry->definition = definition;
    plugin_classes_add(entry);
}

void PluginRegisterClassExtension(TAVOClassDefinition* definition) {
    PluginRecord* plugin = current_plugin();
    if (!plugin || plugin->version < 3 || !definition || !definition->name) return;
    RuntimeClass* cls = plugin_host_class_named(definition->name, std::strlen(definition->name));
    if (!cls) return;
    plugin_add_properties(cls, definition->properties, definition->property_count, kObjectHeaderSize, false);
    plugin_add_methods(cls, definition->methods, definition->method_count);
    plugin_add_events(cls, definition->events, definition->event_count);
}

void PluginRegisterControl(TAVOControlDefinition* definition) {
    PluginRecord* plugin = current_plugin();
    if (!plugin || !definition || !definition->name) return;
    std::int32_t version = definition->version;
    if (version != 1 && version < 3) return;
    // A second class of a taken name would be found first by one lookup
    // and second by the other.
    if (name_taken(definition->name)) return;
    const TAVOControlDefinition* d = version == 1 ? converted_control(definition, plugin) : definition;
    RuntimeClass* cls = class_new(string_from_cstr(d->name));
    cls->superclass = builtin_class(BuiltinClass::RectControl);
    cls->instance_size = kControlHeaderSize + d->data_size;
    cls->constructor = construct_control;
    cls->destructor = destruct_control;
    // The class makes its own pane, as the built-in controls do.
    class_add_handler(cls, string_from_cstr("CreatePane"), -1, reinterpret_cast<void*>(&plugin_control_create_pane));
    definition->data_offset = kControlHeaderSize;
    plugin_add_properties(cls, d->properties, d->property_count, kControlHeaderSize, true);
    plugin_add_methods(cls, static_cast<const TAVOMethodDefinition*>(d->methods), d->method_count);
    plugin_add_events(cls, d->events, d->event_count);
    if (version >= 4) {
        plugin_add_event_instances(cls, plugin, d->event_instances, d->event_instance_count);
        plugin_add_interfaces(cls, d->interfaces);
    }
    PluginClass* entry = new_entry(cls, plugin);
    entry->control = d;
    entry->completed = true;
    plugin_controls_add(entry);
}

}  // extern "C"

void plugin_classes_complete() {
    for (PluginClass* entry = plugin_classes_newest(); entry; entry = entry->next) complete(entry);
}
