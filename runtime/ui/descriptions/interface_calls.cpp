#include "descriptions/interface_calls.h"

#include <cstring>

#include "exceptions/failure_report.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

bool named(const RuntimeString* name, const char* text) {
    return name_compare(string_cstr(name), string_length(name), text, std::strlen(text)) == 0;
}

}  // namespace

void* interface_method(const RuntimeObject* object, const char* interface_name, const char* method) {
    if (!object) return nullptr;
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        for (const ClassInterface* entry = cls->interfaces; entry; entry = entry->next) {
            if (!named(entry->interface_class->name, interface_name)) continue;
            for (const ClassMethod* m = entry->interface_class->methods; m; m = m->next) {
                if (!named(m->name, method)) continue;
                if (m->number < entry->method_count) return entry->methods[m->number];
                // The class's routine table ends before the method's position.
                runtime_failure_report(131, 4, "interfaceUtil", 70);
                return nullptr;
            }
            return nullptr;
        }
    }
    return nullptr;
}
