#include "descriptions/field_accessors.h"


#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

template <typename T>
T* field(RuntimeObject* object, std::uint32_t offset) {
    return reinterpret_cast<T*>(reinterpret_cast<std::uint8_t*>(object) + offset);
}

}  // namespace

extern "C" RuntimeString* stringGetter(RuntimeObject* object, std::uint32_t offset) {
    if (!object) return nullptr;
    RuntimeString* s = *field<RuntimeString*>(object, offset);
    RuntimeLockString(s);
    return s;
}

extern "C" void stringSetter(RuntimeObject* object, std::uint32_t offset, RuntimeString* value) {
    if (object) string_assign(field<RuntimeString*>(object, offset), value);
}

extern "C" RuntimeObject* objGetter(RuntimeObject* object, std::uint32_t offset) {
    return object ? RuntimeLockObject(*field<RuntimeObject*>(object, offset)) : nullptr;
}

extern "C" void objSetter(RuntimeObject* object, std::uint32_t offset, RuntimeObject* value) {
    if (!object) return;
    RuntimeObject** slot = field<RuntimeObject*>(object, offset);
    RuntimeObject* old = *slot;
    *slot = RuntimeLockObject(value);
    RuntimeUnlockObject(old);
}

PropertyValue field32_getter(RuntimeObject* object, std::uint32_t offset) {
    return object ? *field<std::uint32_t>(object, offset) : 0;
}

void field32_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value) {
    if (object) *field<std::uint32_t>(object, offset) = static_cast<std::uint32_t>(value);
}

PropertyValue field16_getter(RuntimeObject* object, std::uint32_t offset) {
    return object ? static_cast<PropertyValue>(static_cast<std::int32_t>(*field<std::int16_t>(object, offset))) : 0;
}

void field16_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value) {
    if (object) *field<std::int16_t>(object, offset) = static_cast<std::int16_t>(value);
}

PropertyValue field8_getter(RuntimeObject* object, std::uint32_t offset) {
    return object ? *field<std::uint8_t>(object, offset) : 0;
}

void field8_setter(RuntimeObject* object, std::uint32_t offset, PropertyValue value) {
    if (object) *field<std::uint8_t>(object, offset) = static_cast<std::uint8_t>(value);
}
