// Type records: how the text values of descriptions become property
// values, one record per value type.
#pragma once

#include <cstdint>

struct RuntimeString;

// Property values travel as one machine word: integers, colours, Booleans
// (0 or 1), strings and objects alike.
using PropertyValue = std::uintptr_t;

struct TypeRecord {
    std::uint32_t kind;  // 0 for the seven named types, 3 for object kinds
    const char* name;
    RuntimeString* (*to_text)(PropertyValue value);             // a new string
    bool (*from_text)(const RuntimeString* text, PropertyValue& value);  // a new value
    void (*release)(PropertyValue value);  // after the setter ran; strings only
    void* unused;
};

constexpr std::uint32_t kObjectKind = 3;

extern const TypeRecord kStringType, kIntegerType, kBooleanType, kSingleType, kDoubleType, kFormType, kColorType;
// Properties whose values are project objects, named by number.
extern const TypeRecord kProjectObjectType;

// The record when `type` (a property's type field) is one; null for a class
// descriptor (object-valued properties of a built-in class).
const TypeRecord* type_record_of(const void* type);

// A leading "-" makes the result negative; other non-digits are skipped; digits wrap
// around in 32 bits.
std::int32_t read_integer(const RuntimeString* text);
// True only for the exact text "True".
bool read_boolean(const RuntimeString* text);
