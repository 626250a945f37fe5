#include "plugin_members.h"

#include <cstring>

#include "objects/classes.h"
#include "objects/memory.h"
#include "objects/names.h"
#include "objects/objects.h"
#include "plugin_classes.h"
#include "plugin_field_accessors.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

namespace {

PluginMethod* g_class_methods = nullptr;
PluginMethod* g_global_methods = nullptr;

// Reference fields that the runtime's field setters fill.
struct OwnedField {
    OwnedField* next;
    const RuntimeClass* cls;
    std::uint32_t offset;
    PluginValueType type;
};
OwnedField* g_owned_fields = nullptr;

void own_field(const RuntimeClass* cls, std::uint32_t offset, PluginValueType type) {
    auto* owned = static_cast<OwnedField*>(runtime_alloc(sizeof(OwnedField)));
    *owned = {g_owned_fields, cls, offset, type};
    g_owned_fields = owned;
}

bool declared_as(const PluginMethod* method, const char* member, std::size_t length) {
    return method->declaration &&
           name_compare(method->declaration, std::strlen(method->declaration), member, length) == 0;
}

RuntimeString* type_text(const PluginType& type) {
    switch (type.value) {
        case PluginValueType::None: return nullptr;
        case PluginValueType::Integer: return string_from_cstr("Integer");
        case PluginValueType::String: return string_from_cstr("String");
        case PluginValueType::Boolean: return string_from_cstr("Boolean");
        case PluginValueType::Single: return string_from_cstr("Single");
        case PluginValueType::Double: return string_from_cstr("Double");
        case PluginValueType::Color: return string_from_cstr("Color");
        case PluginValueType::Object: break;
    }
    RuntimeLockString(type.cls->name);
    return type.cls->name;
}

}  // namespace

void plugin_add_properties(RuntimeClass* cls, const TAVOPropertyDefinition* properties, std::int32_t count,
                           std::uint32_t base, bool control) {
    for (std::int32_t i = 0; properties && i < count; ++i) {
        const TAVOPropertyDefinition& p = properties[i];
        const char* type_name = p.type ? p.type : "";
        PluginType type = plugin_type_named(type_name, std::strlen(type_name));
        if (type.value == PluginValueType::None || !p.name) continue;
        std::uint32_t offset = base + p.offset;
        ClassProperty* property = class_add_property(cls, string_from_cstr(p.name));
        property->flags = p.flags;
        property->type = type.value == PluginValueType::Object ? static_cast<void*>(type.cls) : nullptr;
        property->selector = offset;
        property->getter = p.getter == TAVO_FIELD_ACCESSOR ? field_getter_for(type.value, offset) : p.getter;
        property->setter = p.setter == TAVO_FIELD_ACCESSOR
                               ? field_setter_for(type.value, offset, control && (p.flags & 1))
                               : p.setter;
        bool reference = type.value == PluginValueType::String || type.value == PluginValueType::Object;
        if (reference && p.setter == TAVO_FIELD_ACCESSOR) own_field(cls, offset, type.value);
    }
}

void plugin_add_methods(RuntimeClass* cls, const TAVOMethodDefinition* methods, std::int32_t count) {
    for (std::int32_t i = 0; methods && i < count; ++i) {
        const TAVOMethodDefinition& m = methods[i];
        ParsedDeclaration parsed = {};
        if (RuntimeString* rejected = parse_declaration(m.declaration, parsed)) {
            RuntimeUnlockString(rejected);  // the member is dropped; nothing shows the text
            continue;
        }
        auto* method = static_cast<PluginMethod*>(runtime_alloc(sizeof(PluginMethod)));
        RuntimeLockString(parsed.name);
        method->cls = cls;
        method->entry = class_add_method(cls, parsed.name, m.function);
        method->declaration = m.declaration;
        method->function = m.function;
        method->second_function = m.second_function;
        method->parsed = parsed;
        method->next = g_class_methods;
        g_class_methods = method;
    }
}

void plugin_add_events(RuntimeClass* cls, TAVOEventDefinition* events, std::int32_t count) {
    for (std::int32_t i = 0; events && i < count; ++i) {
        ParsedDeclaration parsed = {};
        if (RuntimeString* rejected = parse_declaration(events[i].declaration, parsed)) {
            RuntimeUnlockString(rejected);
            continue;
        }
        events[i].handle = class_add_event(cls, parsed.name, parsed.parameter_text, type_text(parsed.result));
        runtime_free(parsed.parameters, parsed.parameter_count * sizeof(DeclaredParameter));
    }
}

void plugin_add_event_instances(RuntimeClass* cls, const PluginRecord* plugin,
                                const TAVOEventInstanceDefinition* instances, std::int32_t count) {
    for (std::int32_t i = 0; instances && i < count; ++i) {
        void* code = plugin_export_function(plugin, instances[i].export_index);
        if (!instances[i].event_name || !code) continue;
        class_add_handler(cls, string_from_cstr(instances[i].event_name), -1, code);
    }
}

void plugin_add_interfaces(RuntimeClass* cls, const char* names) {
    for (const char* at = names; at && *at;) {
        while (*at == ' ' || *at == ',') ++at;
        const char* start = at;
        while (*at && *at != ',') ++at;
        const char* end = at;
        while (end > start && end[-1] == ' ') --end;
        if (end == start) continue;
        RuntimeClass* interface_class = plugin_host_class_named(start, static_cast<std::size_t>(end - start));
        if (interface_class && interface_class->is_interface) class_add_interface(cls, interface_class);
    }
}

void plugin_release_fields(RuntimeObject* object, const RuntimeClass* cls) {
    for (const OwnedField* owned = g_owned_fields; owned; owned = owned->next) {
        if (owned->cls != cls) continue;
        void* value;
        std::uint8_t* field = reinterpret_cast<std::uint8_t*>(object) + owned->offset;
        std::memcpy(&value, field, sizeof value);
        std::memset(field, 0, sizeof value);
        if (owned->type == PluginValueType::String) RuntimeUnlockString(static_cast<RuntimeString*>(value));
        else RuntimeUnlockObject(static_cast<RuntimeObject*>(value));
    }
}

const PluginMethod* plugin_method_declared(const RuntimeClass* cls, const char* member, std::size_t length) {
    for (; cls; cls = cls->superclass) {
        for (const PluginMethod* m = g_class_methods; m; m = m->next) {
            if (m->cls == cls && declared_as(m, member, length)) return m;
        }
    }
    return nullptr;
}

void plugin_add_global_method(const TAVOMethodDefinition& definition) {
    auto* method = static_cast<PluginMethod*>(runtime_alloc(sizeof(PluginMethod)));
    method->declaration = definition.declaration;
    method->function = definition.function;
    method->second_function = definition.second_function;
    method->next = g_global_methods;
    g_global_methods = method;
}

const PluginMethod* plugin_global_method_declared(const char* member, std::size_t length) {
    for (const PluginMethod* m = g_global_methods; m; m = m->next) {
        if (declared_as(m, member, length)) return m;
    }
    return nullptr;
}
