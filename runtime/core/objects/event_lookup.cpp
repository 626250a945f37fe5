#include "objects/classes.h"
#include "objects/code_lookup.h"
#include "objects/objects.h"

void* event_lookup(const RuntimeObject* object, const EventDefinition* event) {
    if (!object || !event) return nullptr;
    void* candidate = nullptr;
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        for (const EventDefinition* defined = cls->events; defined; defined = defined->next) {
            if (defined == event) return candidate;
            // A redefinition hides the handlers below it.
            if (names_equal(defined->name, event->name)) candidate = nullptr;
        }
        for (const EventHandler* handler = cls->handlers; handler; handler = handler->next) {
            if (names_equal(handler->event_name, event->name)) candidate = handler->code;
        }
    }
    return nullptr;
}

extern "C" void* RuntimeFindHookCode(RuntimeObject* object, std::int32_t event_key) {
    if (!object) return nullptr;
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        for (const EventHandler* handler = cls->handlers; handler; handler = handler->next) {
            if (handler->key == event_key) return handler->code;
        }
    }
    return nullptr;
}
