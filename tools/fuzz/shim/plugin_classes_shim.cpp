// Classes a declaration may name: a few known ones, as the host would find
// them once the runtime's classes are made.
#include <cstring>
#include <strings.h>

#include "objects/classes.h"
#include "plugin_classes.h"

RuntimeClass* plugin_host_class_named(const char* name, std::size_t length) {
    static RuntimeClass known[3] = {};
    static const char* const kNames[3] = {"FolderItem", "Picture", "Graphics"};
    for (int i = 0; i < 3; ++i)
        if (std::strlen(kNames[i]) == length && strncasecmp(kNames[i], name, length) == 0) return &known[i];
    return nullptr;
}

// No plugin is ever loaded on the host, so no plugin class waits to be
// completed.
void plugin_classes_complete() {}
