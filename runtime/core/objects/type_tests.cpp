// Type tests and casts of compiled code, and the exceptions they raise.
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "exceptions/exceptions.h"
#include "objects/objects.h"

bool object_isa(const RuntimeObject* object, const RuntimeClass* cls) {
    if (!object || !cls) return false;
    return cls->is_interface ? class_implements(object->cls, cls) : class_descends_from(object->cls, cls);
}

void object_raise_new(RuntimeClass* exception_class) { raise_owned(object_new(exception_class)); }

extern "C" std::int32_t RuntimeObjectIsa(RuntimeObject* object, std::int32_t class_index) {
    return object_isa(object, class_table_at(class_index)) ? 1 : 0;
}

extern "C" RuntimeObject* RuntimeCheckCast(RuntimeObject* object, std::int32_t class_index) {
    if (object && !object_isa(object, class_table_at(class_index)))
        object_raise_new(builtin_class(BuiltinClass::IllegalCastException));
    return object;
}

extern "C" void RuntimeNilObject() { object_raise_new(builtin_class(BuiltinClass::NilObjectException)); }
