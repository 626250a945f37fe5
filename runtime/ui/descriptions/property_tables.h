// Property tables: each built-in class lists its properties as static rows;
// at start-up each table becomes the class's property list, in row order.
// Getters are called as getter(object, selector), setters as
// setter(object, selector, value).
#pragma once

#include <cstddef>
#include <cstdint>

#include "descriptions/type_records.h"
#include "objects/builtin_classes.h"

struct RuntimeClass;
struct RuntimeObject;

using PropertyGetter = PropertyValue (*)(RuntimeObject* object, std::uint32_t selector);
using PropertySetter = void (*)(RuntimeObject* object, std::uint32_t selector, PropertyValue value);

struct PropertyRow {
    std::uint32_t flags;
    const char* name;
    const TypeRecord* type;    // null for a property holding a built-in class's object
    BuiltinClass object_class;  // that class when type is null
    PropertyGetter getter;
    PropertySetter setter;  // null: read-only
    std::uint32_t selector;
};

template <typename Getter>
PropertyGetter as_getter(Getter g) { return reinterpret_cast<PropertyGetter>(reinterpret_cast<void*>(g)); }
template <typename Setter>
PropertySetter as_setter(Setter s) { return reinterpret_cast<PropertySetter>(reinterpret_cast<void*>(s)); }

// Appends one property per row to `cls`'s list.
void property_table_install(RuntimeClass* cls, const PropertyRow* rows, std::size_t count);

template <std::size_t N>
void property_table_install(BuiltinClass which, const PropertyRow (&rows)[N]) {
    property_table_install(builtin_class(which), rows, N);
}

// Applies one description pair: the first property named `name` along the
// class chain (letter case ignored) gets the value read from `text`. Pairs
// without such a property, setter or text reading are ignored.
void property_apply(RuntimeObject* object, const RuntimeString* name, const RuntimeString* text);
