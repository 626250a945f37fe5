#include "plugin_classes.h"

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "strings/runtime_string.h"

namespace {

PluginClass* g_classes = nullptr;
PluginClass* g_controls = nullptr;

bool named(const RuntimeClass* cls, const char* name, std::size_t length) {
    return cls->name && name_compare(string_cstr(cls->name), string_length(cls->name), name, length) == 0;
}

RuntimeClass* find_in(PluginClass* list, const char* name, std::size_t length) {
    for (PluginClass* entry = list; entry; entry = entry->next) {
        if (named(entry->cls, name, length)) return entry->cls;
    }
    return nullptr;
}

RuntimeClass* project_class_named(const char* name, std::size_t length) {
    for (RuntimeClass* cls = class_list_first(); cls; cls = cls->next_class) {
        if (!cls->builtin && named(cls, name, length) && !plugin_class_entry(cls)) return cls;
    }
    return nullptr;
}

}  // namespace

PluginClass* plugin_classes_newest() { return g_classes; }
PluginClass* plugin_controls_newest() { return g_controls; }

void plugin_classes_add(PluginClass* entry) {
    entry->next = g_classes;
    g_classes = entry;
}

void plugin_controls_add(PluginClass* entry) {
    entry->next = g_controls;
    g_controls = entry;
}

PluginClass* plugin_class_entry(const RuntimeClass* cls) {
    for (PluginClass* list : {g_classes, g_controls}) {
        for (PluginClass* entry = list; entry; entry = entry->next) {
            if (entry->cls == cls) return entry;
        }
    }
    return nullptr;
}

RuntimeClass* plugin_host_class_named(const char* name, std::size_t length) {
    if (RuntimeClass* cls = builtin_class_named(name, length)) return cls;
    if (RuntimeClass* cls = project_class_named(name, length)) return cls;
    if (RuntimeClass* cls = find_in(g_controls, name, length)) return cls;
    return find_in(g_classes, name, length);
}

RuntimeClass* plugin_image_class_named(const RuntimeString* name) {
    const char* text = string_cstr(name);
    std::size_t length = string_length(name);
    if (RuntimeClass* cls = find_in(g_classes, text, length)) return cls;
    return find_in(g_controls, text, length);
}
