#include "panes/binding_interfaces.h"

#include <cstring>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"

RuntimeClass* binding_interface(const char* name) {
    RuntimeClass* cls = builtin_class_named(name, std::strlen(name));
    return cls && cls->is_interface ? cls : nullptr;
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
