// Binding the image's plugin member references: "MSelectFolder as
// FolderItem", "GGauge!Level". The first letter is the kind, an "!" splits
// a class name from the member.
#include <cstring>

#include "exceptions/failure_report.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "plugin_binding.h"
#include "plugin_classes.h"
#include "plugin_members.h"
#include "strings/runtime_string.h"

namespace {

bool named(const RuntimeString* name, const char* text, std::size_t length) {
    return name_compare(string_cstr(name), string_length(name), text, length) == 0;
}

// A method by its declaration text, else by its bare name.
void* method_of(const RuntimeClass* cls, char kind, const char* member, std::size_t length) {
    if (const PluginMethod* m = plugin_method_declared(cls, member, length)) {
        return kind == 'M' ? m->function : m->second_function;
    }
    if (kind != 'M') return nullptr;
    for (; cls; cls = cls->superclass) {
        for (const ClassMethod* m = cls->methods; m; m = m->next) {
            if (named(m->name, member, length)) return m->code;
        }
    }
    return nullptr;
}

void* accessor_of(const RuntimeClass* cls, char kind, const char* member, std::size_t length) {
    for (; cls; cls = cls->superclass) {
        for (const ClassProperty* p = cls->properties; p; p = p->next) {
            if (named(p->name, member, length)) return kind == 'G' ? p->getter : p->setter;
        }
    }
    return nullptr;
}

}  // namespace

void* plugin_member_address(RuntimeString* reference) {
    const char* text = string_cstr(reference);
    std::size_t length = string_length(reference);
    char kind = length ? text[0] : 0;
    if (kind != 'M' && kind != 'W' && kind != 'G' && kind != 'S') {
        runtime_failure_report(131, 4, "RuntimeMain", 480);
        return nullptr;
    }
    const char* rest = text + 1;
    std::size_t rest_length = length - 1;
    const char* bang = static_cast<const char*>(std::memchr(rest, '!', rest_length));
    if (!bang) {
        const PluginMethod* m = plugin_global_method_declared(rest, rest_length);
        if (!m) return nullptr;
        return kind == 'M' ? m->function : m->second_function;
    }
    RuntimeClass* cls = plugin_host_class_named(rest, static_cast<std::size_t>(bang - rest));
    if (!cls) {
        runtime_failure_report(131, 4, "RuntimeMain", 430);
        return nullptr;
    }
    const char* member = bang + 1;
    std::size_t member_length = rest_length - static_cast<std::size_t>(member - rest);
    if (kind == 'M' || kind == 'W') return method_of(cls, kind, member, member_length);
    return accessor_of(cls, kind, member, member_length);
}
