// Generic field accessors: the selector is the byte offset of the field in
// the object. The string and object ones keep a reference to what they store.
#pragma once

#include <cstdint>

#include "descriptions/type_records.h"

struct RuntimeObject;
struct RuntimeString;

extern "C" {
RuntimeString* stringGetter(RuntimeObject* object, std::uint32_t offset);  // a new reference
void stringSetter(RuntimeObject* object, std::uint32_t offset, RuntimeString* value);
RuntimeObject* objGetter(RuntimeObject* object, std::uint32_t offset);  // a new reference
void objSetter(RuntimeObject* object, std::uint32_t offset, RuntimeObject* value);
}

PropertyValue field32_getter(RuntimeObject* object, std::uint32_t offset);
void field32_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value);
PropertyValue field16_getter(RuntimeObject* object, std::uint32_t offset);  // sign-extended
void field16_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value);
PropertyValue field8_getter(RuntimeObject* object, std::uint32_t offset);
void field8_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value);
