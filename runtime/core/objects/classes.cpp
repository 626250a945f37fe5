#include "objects/classes.h"

#include "objects/memory.h"
#include "objects/names.h"
#include "strings/runtime_string.h"

namespace {

RuntimeClass* g_all_classes = nullptr;
RuntimeClass* const* g_class_table = nullptr;
std::uint32_t g_class_table_count = 0;

template <typename Entry>
Entry* new_entry() {
    return static_cast<Entry*>(runtime_alloc(sizeof(Entry)));
}

template <typename Entry>
void append(Entry*& head, Entry* entry) {
    Entry** link = &head;
    while (*link) link = &(*link)->next;
    *link = entry;
}

template <typename Entry>
void prepend(Entry*& head, Entry* entry) {
    entry->next = head;
    head = entry;
}

}  // namespace

RuntimeClass* class_new(RuntimeString* name) {
    auto* cls = static_cast<RuntimeClass*>(runtime_alloc(sizeof(RuntimeClass)));
    cls->name = name;
    cls->instance_size = 24;
    cls->next_class = g_all_classes;
    g_all_classes = cls;
    return cls;
}

RuntimeClass* class_list_first() { return g_all_classes; }

ClassProperty* class_add_property(RuntimeClass* cls, RuntimeString* name) {
    auto* entry = new_entry<ClassProperty>();
    entry->name = name;
    append(cls->properties, entry);
    return entry;
}

ClassMethod* class_add_method(RuntimeClass* cls, RuntimeString* name, void* code) {
    auto* entry = new_entry<ClassMethod>();
    entry->name = name;
    entry->code = code;
    append(cls->methods, entry);
    return entry;
}

EventDefinition* class_add_event(RuntimeClass* cls, RuntimeString* name, RuntimeString* parameters,
                                 RuntimeString* result) {
    auto* entry = new_entry<EventDefinition>();
    entry->name = name;
    entry->parameters = parameters;
    entry->result = result;
    append(cls->events, entry);
    return entry;
}

EventHandler* class_add_handler(RuntimeClass* cls, RuntimeString* event_name, std::int32_t key, void* code) {
    auto* entry = new_entry<EventHandler>();
    entry->event_name = event_name;
    entry->key = key;
    entry->code = code;
    prepend(cls->handlers, entry);
    return entry;
}

MenuHandler* class_add_menu_handler(RuntimeClass* cls, RuntimeString* item_name, void* code) {
    auto* entry = new_entry<MenuHandler>();
    entry->item_name = item_name;
    entry->code = code;
    prepend(cls->menu_handlers, entry);
    return entry;
}

ClassInterface* class_add_interface(RuntimeClass* cls, RuntimeClass* interface_class) {
    auto* entry = new_entry<ClassInterface>();
    entry->interface_class = interface_class;
    append(cls->interfaces, entry);
    return entry;
}

bool class_descends_from(const RuntimeClass* cls, const RuntimeClass* ancestor) {
    for (; cls; cls = cls->superclass) {
        if (cls == ancestor) return true;
    }
    return false;
}

bool class_implements(const RuntimeClass* cls, const RuntimeClass* interface_class) {
    for (; cls; cls = cls->superclass) {
        for (const ClassInterface* entry = cls->interfaces; entry; entry = entry->next) {
            if (entry->interface_class == interface_class) return true;
        }
    }
    return false;
}

bool names_equal(const RuntimeString* a, const RuntimeString* b) {
    return name_compare(string_cstr(a), string_length(a), string_cstr(b), string_length(b)) == 0;
}

void class_table_install(RuntimeClass* const* classes, std::uint32_t count) {
    g_class_table = classes;
    g_class_table_count = classes ? count : 0;
}

RuntimeClass* class_table_at(std::int32_t index) {
    if (index < 0 || static_cast<std::uint32_t>(index) >= g_class_table_count) return nullptr;
    return g_class_table[index];
}
