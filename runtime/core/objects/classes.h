// Class descriptors: one per class, built-in, plugin or image class alike,
// never freed while the program runs. The class table maps the image's class
// indexes to descriptors.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeObject;
struct RuntimeString;
struct RuntimeClass;

// Constructors and destructors are called with (object, the class whose code
// it is), constructors from the root down, destructors from the leaf up.
using ObjectHook = void (*)(RuntimeObject* object, RuntimeClass* cls);

struct ClassProperty {
    ClassProperty* next;
    RuntimeString* name;
    std::uint32_t flags;
    void* type;  // a type record, or a class descriptor for object values
    void* getter;
    void* setter;
    std::uint32_t selector;
};

struct ClassMethod {
    ClassMethod* next;
    RuntimeString* name;
    void* code;
    std::uint32_t number;  // 1, 2, 3 ... for interface methods; 0 otherwise
};

struct EventDefinition {
    EventDefinition* next;
    RuntimeString* name;
    RuntimeString* parameters;  // "item As FolderItem"; nil for none
    RuntimeString* result;      // "Boolean"; nil for none
};

struct EventHandler {
    EventHandler* next;
    RuntimeString* event_name;
    std::int32_t key;
    void* code;
};

struct MenuHandler {
    MenuHandler* next;
    RuntimeString* item_name;
    void* code;
};

struct ClassInterface {
    ClassInterface* next;
    RuntimeClass* interface_class;
    void** methods;  // indexed by interface method number; slot 0 unused
    std::uint32_t method_count;  // slots, slot 0 included
};

struct RuntimeClass {
    RuntimeClass* superclass;
    void** vtable;
    std::uint32_t vtable_length;
    std::uint32_t interface_generation;
    RuntimeString* name;  // nil for an unnamed class
    std::uint8_t builtin;
    std::uint32_t instance_size;  // bytes, object header included
    ClassProperty* properties;
    ClassMethod* methods;
    EventDefinition* events;
    EventHandler* handlers;
    MenuHandler* menu_handlers;
    ClassInterface* interfaces;
    std::uint8_t is_interface;
    ObjectHook constructor;
    ObjectHook destructor;
    RuntimeClass* next_class;
};

// A new descriptor (instance size 24, everything else empty), entered in the
// list of all classes. It takes over the caller's reference to the name, as
// the list entries below do for theirs.
RuntimeClass* class_new(RuntimeString* name);
RuntimeClass* class_list_first();

// List building. Properties, methods, events and interfaces keep the order
// they were added in; handlers and menu handlers go to the front.
ClassProperty* class_add_property(RuntimeClass* cls, RuntimeString* name);
ClassMethod* class_add_method(RuntimeClass* cls, RuntimeString* name, void* code);
EventDefinition* class_add_event(RuntimeClass* cls, RuntimeString* name, RuntimeString* parameters,
                                 RuntimeString* result);
EventHandler* class_add_handler(RuntimeClass* cls, RuntimeString* event_name, std::int32_t key, void* code);
MenuHandler* class_add_menu_handler(RuntimeClass* cls, RuntimeString* item_name, void* code);
ClassInterface* class_add_interface(RuntimeClass* cls, RuntimeClass* interface_class);

// True when `cls` is `ancestor` or descends from it.
bool class_descends_from(const RuntimeClass* cls, const RuntimeClass* ancestor);
// True when `cls` or one of its superclasses lists `interface_class`.
bool class_implements(const RuntimeClass* cls, const RuntimeClass* interface_class);
// Letters a-z equal to A-Z.
bool names_equal(const RuntimeString* a, const RuntimeString* b);

// The class table of the project description, filled by its reader; the
// array must live as long as the program. Empty entries are allowed.
void class_table_install(RuntimeClass* const* classes, std::uint32_t count);
// The descriptor for a class index; null when outside the table or empty.
RuntimeClass* class_table_at(std::int32_t index);

// Numbers interface methods and builds every class's interface method
// tables; on a method that a class lacks, shows the failure reports and
// stops. Called after the image's (and the plugins') classes are complete.
// Returns false when it stopped.
bool class_model_complete();
