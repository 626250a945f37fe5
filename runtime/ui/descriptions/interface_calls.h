// Calling a method of an interface that an object's class implements,
// found by the interface's and the method's names.
#pragma once

struct RuntimeObject;

// The code of `method` of the interface named `interface_name` for
// `object`'s class; null when the class does not implement it. A position
// past the class's routine table is a failure report (then null).
void* interface_method(const RuntimeObject* object, const char* interface_name, const char* method);

// The same, typed as the routine's calling form.
template <typename Code>
Code interface_code(const RuntimeObject* object, const char* interface_name, const char* method) {
    return reinterpret_cast<Code>(interface_method(object, interface_name, method));
}
