// The services plugins reach through the resolver beyond registration:
// version, references, defaults, interfaces, instances and data sources.
#include <windows.h>

#include <cstring>

#include "objects/classes.h"
#include "objects/code_lookup.h"
#include "objects/memory.h"
#include "objects/names.h"
#include "objects/objects.h"
#include "plugin_classes.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

namespace {

constexpr double kRuntimeVersion = 3.0;

const ClassMethod* interface_method(const RuntimeClass* interface_class, const char* routine) {
    for (const ClassMethod* m = interface_class->methods; m; m = m->next) {
        if (name_compare(string_cstr(m->name), string_length(m->name), routine, std::strlen(routine)) == 0) return m;
    }
    return nullptr;
}

}  // namespace

extern "C" {

std::uint8_t TAVOinRuntime() { return 1; }

double TAVOGetTVVersion() { return kRuntimeVersion; }

void RegisterPluginVersion(std::int32_t version) {
    if (PluginRecord* plugin = current_plugin()) plugin->version = version;
}

void RegisterPluginExports(const TAVOExport* exports) {
    if (PluginRecord* plugin = current_plugin()) plugin->exports = exports;
}

void PluginMarkSocketUsage() {
    if (PluginRecord* plugin = current_plugin()) plugin->uses_sockets = 1;
}

void RegisterDataSource(const char* name, void* callback) {
    PluginRecord* plugin = current_plugin();
    if (!plugin) return;
    auto* source = static_cast<PluginDataSource*>(runtime_alloc(sizeof(PluginDataSource)));
    source->name = string_from_cstr(name ? name : "");
    source->callback = callback;
    source->next = plugin->data_sources;
    plugin->data_sources = source;
}

// Design-time services: nothing to do in a running application.
void RegisterDataSourceInterface() {}
void DesignAddDataSource() {}

void TAVOLockObject(RuntimeObject* object) { RuntimeLockObject(object); }
void TAVOUnlockObject(RuntimeObject* object) { RuntimeUnlockObject(object); }

RuntimeString* PluginInterpretConstantValue(RuntimeString* value) {
    RuntimeLockString(value);
    return value;
}

RuntimeString* PluginDefaultControlFont() { return string_from_cstr("System"); }
RuntimeString* PluginDefaultControlCaption() { return string_from_cstr("Untitled"); }
std::int32_t PluginDefaultControlFontSize() { return 12; }

std::int32_t TAVOGetWin32Charset() {
    CHARSETINFO info = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<std::uintptr_t>(GetACP())), &info, TCI_SRCCODEPAGE)) {
        return DEFAULT_CHARSET;
    }
    return static_cast<std::int32_t>(info.ciCharset);
}

// Interfaces are matched by name: an image may declare its own interface of
// the name of a built-in one, and its classes implement that one.
void* GetInterfaceRoutine(RuntimeObject* object, const char* interface_name, const char* routine) {
    if (!object || !interface_name || !routine) return nullptr;
    const std::size_t length = std::strlen(interface_name);
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        for (const ClassInterface* entry = cls->interfaces; entry; entry = entry->next) {
            const RuntimeClass* implemented = entry->interface_class;
            if (!implemented || !implemented->name ||
                name_compare(string_cstr(implemented->name), string_length(implemented->name), interface_name,
                             length) != 0)
                continue;
            const ClassMethod* method = interface_method(implemented, routine);
            return method && method->number < entry->method_count ? entry->methods[method->number] : nullptr;
        }
    }
    return nullptr;
}

RuntimeObject* PluginNewInstance(const char* class_name) {
    if (!class_name) return nullptr;
    RuntimeClass* cls = plugin_host_class_named(class_name, std::strlen(class_name));
    return cls ? object_new(cls) : nullptr;
}

// The application's handler of a plugin event for this control, if any.
void* GetEventInstance(RuntimeObject* control, const EventDefinition* event) { return event_lookup(control, event); }
void* GetEventInstancePPC(RuntimeObject* control, const EventDefinition* event) { return event_lookup(control, event); }

}  // extern "C"
