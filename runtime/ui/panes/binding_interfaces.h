// The interfaces of the binding system are built-in classes; built-in
// control classes list the ones they implement with their code. An image
// may declare interfaces of the same names; calls find either by name.
#pragma once

#include "objects/builtin_classes.h"

struct RuntimeClass;

// The built-in interface of that name; null for other names.
RuntimeClass* binding_interface(const char* name);

// Lists the interface on a built-in class with `code` for each of its
// methods, in the interface's order. The methods are added to the class by
// name too, so that completing the class model builds the same table.
void builtin_class_implements(RuntimeClass* cls, const char* interface_name, void* const* code);

// The same with the routines as arguments.
template <typename... Code>
void builtin_implements(BuiltinClass which, const char* interface_name, Code... code) {
    void* const table[] = {reinterpret_cast<void*>(code)...};
    builtin_class_implements(builtin_class(which), interface_name, table);
}
