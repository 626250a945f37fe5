#include "values/array_owner.h"

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "values/array.h"
#include "values/bool_array.h"

namespace {

void destroy_owner(RuntimeObject* object, RuntimeClass*) {
    auto* owner = reinterpret_cast<ArrayOwner*>(object);
    void* array = owner->array;
    owner->array = nullptr;
    switch (owner->elements) {
        case kOwnedStrings: RuntimeDisposeStringArray(static_cast<RuntimeArray*>(array)); break;
        case kOwnedObjects: RuntimeDisposeObjectArray(static_cast<RuntimeArray*>(array)); break;
        case kOwnedBooleans: RuntimeDisposeFastBooleanArray(static_cast<BoolArray>(array)); break;
        default: RuntimeDisposeIntArray(static_cast<RuntimeArray*>(array)); break;
    }
}

}  // namespace

void array_owner_class_describe() { builtin_class(BuiltinClass::SysArrayOwner)->destructor = destroy_owner; }
