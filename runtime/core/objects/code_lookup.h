// Finding the code to run for an object: event handlers, virtual methods and
// interface methods.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct EventDefinition;

// The application's handler for event `event` of `object`, or null. Of the
// classes between the object's class and the class defining the event, the
// one nearest the defining class wins.
void* event_lookup(const RuntimeObject* object, const EventDefinition* event);

extern "C" {
void* RuntimeFindHookCode(RuntimeObject* object, std::int32_t event_key);
void* FindVTableCode(RuntimeObject* object, std::int32_t index);
void* FindInterfaceVTableCode(RuntimeObject* object, std::int32_t method_number, std::int32_t interface_index);
}
