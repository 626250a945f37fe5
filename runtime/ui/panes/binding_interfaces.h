// The interfaces of the binding system that built-in classes implement:
// one descriptor each for the process, made on first use. An image may
// declare interfaces of the same names; calls find either by name.
#pragma once

struct RuntimeClass;

// "actionNotificationReceiver" (PerformAction), "bindingPartInterface"
// (getBoundPart), "dataNotificationReceiver" (DataChanged); null for
// other names.
RuntimeClass* binding_interface(const char* name);

// Lists the interface on a built-in class with `code` for each of its
// methods, in the interface's order. The methods are added to the class by
// name too, so that completing the class model builds the same table.
void builtin_class_implements(RuntimeClass* cls, const char* interface_name, void* const* code);
