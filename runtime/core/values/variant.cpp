// Variants: construction, queries and conversions.
#include "values/variant.h"

#include <cstdio>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "values/numbers.h"
#include "strings/runtime_string.h"
#include "strings/string_functions.h"

namespace {

void destroy_variant(RuntimeObject* object, RuntimeClass*) {
    auto* v = reinterpret_cast<RuntimeVariant*>(object);
    if (v->type == kVariantString) RuntimeUnlockString(v->value.string);
    else if (v->type == kVariantObject) RuntimeUnlockObject(v->value.object);
}

// The class is created with the other built-in ones; its destructor is
// this module's, given to it before the first Variant exists.
RuntimeVariant* new_variant(VariantType type) {
    RuntimeClass* cls = builtin_class(BuiltinClass::Variant);
    if (!cls->destructor) cls->destructor = &destroy_variant;
    auto* v = reinterpret_cast<RuntimeVariant*>(object_new(cls));
    v->type = type;
    return v;
}

// Nil counts as a Variant of no type, which no conversion takes.
std::int32_t type_of(const RuntimeVariant* v) { return v ? v->type : kVariantNone; }

[[noreturn]] void raise_type_mismatch() { object_raise_new(builtin_class(BuiltinClass::TypeMismatchException)); }

RuntimeString* integer_text(std::int32_t n) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", static_cast<int>(n));
    return string_from_bytes(text, static_cast<std::size_t>(length));
}

bool is_true_text(RuntimeString* s) {
    RuntimeString* true_text = string_from_cstr("true");
    RuntimeString* one_text = string_from_cstr("1");
    const bool yes = StringStrCompare(s, true_text, 1) == 0 || StringStrCompare(s, one_text, 1) == 0;
    RuntimeUnlockString(true_text);
    RuntimeUnlockString(one_text);
    return yes;
}

}  // namespace

extern "C" RuntimeVariant* intToVariant(std::int32_t value) {
    RuntimeVariant* v = new_variant(kVariantInteger);
    v->value.integer = value;
    return v;
}

extern "C" RuntimeVariant* doubleToVariant(double value) {
    RuntimeVariant* v = new_variant(kVariantDouble);
    v->value.real = value;
    return v;
}

extern "C" RuntimeVariant* stringToVariant(RuntimeString* value) {
    RuntimeVariant* v = new_variant(kVariantString);
    RuntimeLockString(value);
    v->value.string = value;
    return v;
}

extern "C" RuntimeVariant* booleanToVariant(std::int32_t value) {
    RuntimeVariant* v = new_variant(kVariantBoolean);
    v->value.boolean = value;
    return v;
}

extern "C" RuntimeVariant* objectToVariant(RuntimeObject* value) {
    RuntimeVariant* v = new_variant(kVariantObject);
    v->value.object = RuntimeLockObject(value);
    return v;
}

extern "C" RuntimeVariant* getNilVariant() { return new_variant(kVariantNull); }

extern "C" std::int32_t VarType(RuntimeVariant* v) { return type_of(v); }

extern "C" std::int32_t IsNumeric(RuntimeVariant* v) {
    const std::int32_t type = type_of(v);
    return type == kVariantInteger || type == kVariantDouble;
}

extern "C" std::int32_t IsNull(RuntimeVariant* v) { return type_of(v) == kVariantNull; }

extern "C" std::int32_t variantToInt(RuntimeVariant* v) {
    switch (type_of(v)) {
        case kVariantInteger: return v->value.integer;
        case kVariantDouble: return FPToInt(v->value.real);
        case kVariantString: return FPToInt(StringVal(v->value.string));
        case kVariantBoolean: return v->value.boolean != 0;
        default: raise_type_mismatch();
    }
}

extern "C" double variantToDouble(RuntimeVariant* v) {
    switch (type_of(v)) {
        case kVariantInteger: return v->value.integer;
        case kVariantDouble: return v->value.real;
        case kVariantString: return StringVal(v->value.string);
        case kVariantBoolean: return v->value.boolean != 0 ? 1.0 : 0.0;
        default: raise_type_mismatch();
    }
}

extern "C" std::int32_t variantToBoolean(RuntimeVariant* v) {
    switch (type_of(v)) {
        case kVariantInteger: return v->value.integer != 0;
        case kVariantDouble: return v->value.real != 0.0;
        case kVariantString: return is_true_text(v->value.string);
        case kVariantBoolean: return v->value.boolean != 0;
        default: raise_type_mismatch();
    }
}

extern "C" RuntimeString* variantToString(RuntimeVariant* v) {
    switch (type_of(v)) {
        case kVariantInteger: return integer_text(v->value.integer);
        case kVariantDouble: return runCStr(v->value.real);
        case kVariantString: RuntimeLockString(v->value.string); return v->value.string;
        case kVariantBoolean: return string_from_cstr(v->value.boolean != 0 ? "True" : "False");
        default: raise_type_mismatch();
    }
}

extern "C" RuntimeObject* variantToObject(RuntimeVariant* v) {
    if (type_of(v) != kVariantObject) raise_type_mismatch();
    return RuntimeLockObject(v->value.object);
}
