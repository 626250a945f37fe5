// Variant: a runtime object holding one value whose type is decided at run
// time. A Variant never changes once made; it holds one reference to a
// string or object value. Conversions of a value that does not fit raise
// typeMismatchException.
#pragma once

#include <cstdint>

#include "objects/objects.h"

struct RuntimeString;

enum VariantType : std::int32_t {
    kVariantNone = 0,  // what VarType says of nil; never stored
    kVariantNull = 1,
    kVariantInteger = 2,
    kVariantDouble = 5,
    kVariantString = 8,
    kVariantBoolean = 11,
    kVariantObject = 13,
};

struct RuntimeVariant {
    RuntimeObject header;
    std::int32_t type;
    union alignas(8) {
        std::int32_t integer;
        double real;
        RuntimeString* string;
        std::int32_t boolean;  // 0 false, anything else true
        RuntimeObject* object;
    } value;
};
static_assert(sizeof(RuntimeVariant) == 40, "the Variant class's instance size");

extern "C" {
// Each returns a new Variant owned by the caller; strings and objects get a
// reference of the Variant's own.
RuntimeVariant* intToVariant(std::int32_t value);
RuntimeVariant* doubleToVariant(double value);
RuntimeVariant* stringToVariant(RuntimeString* value);
RuntimeVariant* booleanToVariant(std::int32_t value);
RuntimeVariant* objectToVariant(RuntimeObject* value);
RuntimeVariant* getNilVariant();

// Nil is allowed. Booleans are 1 or 0.
std::int32_t VarType(RuntimeVariant* v);
std::int32_t IsNumeric(RuntimeVariant* v);
std::int32_t IsNull(RuntimeVariant* v);

// Strings and objects returned come with a reference for the caller.
std::int32_t variantToInt(RuntimeVariant* v);
double variantToDouble(RuntimeVariant* v);
std::int32_t variantToBoolean(RuntimeVariant* v);
RuntimeString* variantToString(RuntimeVariant* v);
RuntimeObject* variantToObject(RuntimeVariant* v);
}
