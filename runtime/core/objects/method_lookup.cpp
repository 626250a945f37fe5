#include "objects/classes.h"
#include "objects/code_lookup.h"
#include "objects/objects.h"

extern "C" void* FindVTableCode(RuntimeObject* object, std::int32_t index) {
    const RuntimeClass* cls = object->cls;
    // Past the table there is no code: null faults at the call instead of
    // jumping into whatever follows the table.
    if (index < 0 || static_cast<std::uint32_t>(index) >= cls->vtable_length) return nullptr;
    return cls->vtable[index];
}

extern "C" void* FindInterfaceVTableCode(RuntimeObject* object, std::int32_t method_number,
                                         std::int32_t interface_index) {
    const RuntimeClass* interface_class = class_table_at(interface_index);
    if (!object || !interface_class) return nullptr;
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        for (const ClassInterface* entry = cls->interfaces; entry; entry = entry->next) {
            if (entry->interface_class != interface_class) continue;
            if (method_number < 0 || static_cast<std::uint32_t>(method_number) >= entry->method_count) return nullptr;
            return entry->methods[method_number];
        }
    }
    return nullptr;
}
