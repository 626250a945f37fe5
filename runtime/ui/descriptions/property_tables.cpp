#include "descriptions/property_tables.h"

#include "objects/classes.h"
#include "objects/objects.h"
#include "startup/project_description.h"
#include "strings/runtime_string.h"

void property_table_install(RuntimeClass* cls, const PropertyRow* rows, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const PropertyRow& row = rows[i];
        ClassProperty* p = class_add_property(cls, string_from_cstr(row.name));
        p->flags = row.flags;
        p->type = row.type ? const_cast<TypeRecord*>(row.type) : static_cast<void*>(builtin_class(row.object_class));
        p->getter = reinterpret_cast<void*>(row.getter);
        p->setter = reinterpret_cast<void*>(row.setter);
        p->selector = row.selector;
    }
}

namespace {

const ClassProperty* find_property(const RuntimeObject* object, const RuntimeString* name) {
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass)
        for (const ClassProperty* p = cls->properties; p; p = p->next)
            if (names_equal(p->name, name)) return p;
    return nullptr;
}

}  // namespace

void property_apply(RuntimeObject* object, const RuntimeString* name, const RuntimeString* text) {
    const ClassProperty* p = object ? find_property(object, name) : nullptr;
    if (!p || !p->setter || !p->type) return;
    const TypeRecord* type = type_record_of(p->type);
    if (!type) return;  // a built-in class: no text reading
    auto setter = reinterpret_cast<PropertySetter>(p->setter);
    if (type->kind == kObjectKind) {
        RuntimeObject* item = RuntimeProjectObject(read_integer(text));
        setter(object, p->selector, reinterpret_cast<PropertyValue>(item));
        RuntimeUnlockObject(item);
        return;
    }
    PropertyValue value = 0;
    if (type->kind != 0 || !type->from_text || !type->from_text(text, value)) return;
    setter(object, p->selector, value);
    if (type->release) type->release(value);
}
