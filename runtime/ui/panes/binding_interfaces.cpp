#include "panes/binding_interfaces.h"

#include <cstring>

#include "objects/classes.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"

namespace {

struct InterfaceRow {
    const char* name;
    const char* method;  // each of these interfaces has one
    RuntimeClass* cls;
};

InterfaceRow g_interfaces[] = {
    {"actionNotificationReceiver", "PerformAction", nullptr},
    {"bindingPartInterface", "getBoundPart", nullptr},
    {"dataNotificationReceiver", "DataChanged", nullptr},
};

RuntimeClass* made(InterfaceRow& row) {
    if (row.cls) return row.cls;
    row.cls = class_new(string_from_cstr(row.name));
    row.cls->is_interface = 1;
    class_add_method(row.cls, string_from_cstr(row.method), nullptr)->number = 1;
    return row.cls;
}

}  // namespace

RuntimeClass* binding_interface(const char* name) {
    for (InterfaceRow& row : g_interfaces)
        if (std::strcmp(row.name, name) == 0) return made(row);
    return nullptr;
}

void builtin_class_implements(RuntimeClass* cls, const char* interface_name, void* const* code) {
    RuntimeClass* interface_class = binding_interface(interface_name);
    if (!interface_class) return;
    std::uint32_t slots = 1;
    for (const ClassMethod* m = interface_class->methods; m; m = m->next) ++slots;
    auto** table = static_cast<void**>(runtime_alloc(slots * sizeof(void*)));
    table[0] = nullptr;
    std::uint32_t slot = 1;
    for (const ClassMethod* m = interface_class->methods; m; m = m->next, ++slot) {
        RuntimeLockString(m->name);
        class_add_method(cls, m->name, code[slot - 1]);
        table[slot] = code[slot - 1];
    }
    ClassInterface* entry = class_add_interface(cls, interface_class);
    entry->methods = table;
    entry->method_count = slots;
}
