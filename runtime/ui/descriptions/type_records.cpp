#include "descriptions/type_records.h"

#include <cstring>

#include "strings/runtime_string.h"

namespace {

RuntimeString* string_to_text(PropertyValue value) {
    auto* s = reinterpret_cast<RuntimeString*>(value);
    RuntimeLockString(s);
    return s;
}

bool string_from_text(const RuntimeString* text, PropertyValue& value) {
    RuntimeString* copy = const_cast<RuntimeString*>(text);
    RuntimeLockString(copy);
    value = reinterpret_cast<PropertyValue>(copy);
    return true;
}

void string_release(PropertyValue value) { RuntimeUnlockString(reinterpret_cast<RuntimeString*>(value)); }

RuntimeString* integer_to_text(PropertyValue value) {
    char buffer[16];
    std::int32_t n = static_cast<std::int32_t>(value);
    // Built by hand: the runtime's number formatting belongs to Str.
    char* at = buffer + sizeof buffer;
    *--at = '\0';
    std::uint32_t magnitude = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (n < 0) *--at = '-';
    return string_from_cstr(at);
}

bool integer_from_text(const RuntimeString* text, PropertyValue& value) {
    value = static_cast<PropertyValue>(static_cast<std::uint32_t>(read_integer(text)));
    return true;
}

RuntimeString* boolean_to_text(PropertyValue value) { return string_from_cstr(value ? "True" : "False"); }

bool boolean_from_text(const RuntimeString* text, PropertyValue& value) {
    value = read_boolean(text) ? 1 : 0;
    return true;
}

}  // namespace

const TypeRecord kStringType = {0, "String", string_to_text, string_from_text, string_release, nullptr};
const TypeRecord kIntegerType = {0, "Integer", integer_to_text, integer_from_text, nullptr, nullptr};
const TypeRecord kBooleanType = {0, "Boolean", boolean_to_text, boolean_from_text, nullptr, nullptr};
const TypeRecord kSingleType = {0, "Single", nullptr, nullptr, nullptr, nullptr};
const TypeRecord kDoubleType = {0, "Double", nullptr, nullptr, nullptr, nullptr};
const TypeRecord kFormType = {0, "Form", nullptr, nullptr, nullptr, nullptr};
const TypeRecord kColorType = {0, "Color", integer_to_text, integer_from_text, nullptr, nullptr};
const TypeRecord kProjectObjectType = {kObjectKind, "Object", nullptr, nullptr, nullptr, nullptr};

const TypeRecord* type_record_of(const void* type) {
    static const TypeRecord* const kRecords[] = {&kStringType, &kIntegerType, &kBooleanType, &kSingleType,
                                                 &kDoubleType, &kFormType,    &kColorType,   &kProjectObjectType};
    for (const TypeRecord* record : kRecords)
        if (record == type) return record;
    return nullptr;
}

std::int32_t read_integer(const RuntimeString* text) {
    const char* at = string_cstr(text);
    const std::uint32_t length = string_length(text);
    const bool negative = length > 0 && at[0] == '-';
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        char c = at[i];
        if (c >= '0' && c <= '9') n = n * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - n : n);
}

bool read_boolean(const RuntimeString* text) {
    return string_length(text) == 4 && std::memcmp(string_cstr(text), "True", 4) == 0;
}
