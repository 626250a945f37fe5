#include "objects/debugger.h"

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

RuntimeObject* g_runtime_instance = nullptr;

// The n-th live object (from 0, newest first), not counting `excluded`.
RuntimeObject* live_object_at(const RuntimeObject* excluded, std::int32_t n) {
    if (n < 0) return nullptr;
    for (RuntimeObject* object = live_objects_first(); object; object = object->next) {
        if (object == excluded) continue;
        if (n-- == 0) return object;
    }
    return nullptr;
}

}  // namespace

extern "C" std::int32_t RuntimeDebugObjectCount(RuntimeObject* excluded) {
    std::int32_t count = 0;
    for (const RuntimeObject* object = live_objects_first(); object; object = object->next) {
        if (object != excluded) ++count;
    }
    return count;
}

extern "C" std::uint32_t RuntimeDebugObjectID(RuntimeObject* excluded, std::int32_t n) {
    const RuntimeObject* object = live_object_at(excluded, n);
    return object ? reinterpret_cast<std::uintptr_t>(object) ^ 0x15C7A3u : 0;
}

extern "C" RuntimeString* RuntimeDebugObjectClass(RuntimeObject* excluded, std::int32_t n) {
    const RuntimeObject* object = live_object_at(excluded, n);
    for (const RuntimeClass* cls = object ? object->cls : nullptr; cls; cls = cls->superclass) {
        if (string_length(cls->name)) return string_from_bytes(string_cstr(cls->name), string_length(cls->name));
    }
    return nullptr;
}

extern "C" std::int32_t RuntimeDebugObjectRefs(RuntimeObject* excluded, std::int32_t n) {
    const RuntimeObject* object = live_object_at(excluded, n);
    return object ? object->refs : 0;
}

extern "C" std::uint32_t RuntimeDebugMemoryUsed() {
    return static_cast<std::uint32_t>(runtime_memory_use().small_bytes);
}

extern "C" RuntimeObject* RuntimeDebugInstance() {
    // The runtime keeps a reference of its own, so that a caller releasing
    // its reference leaves the single instance alive.
    if (!g_runtime_instance) g_runtime_instance = object_new(builtin_class(BuiltinClass::Runtime));
    return RuntimeLockObject(g_runtime_instance);
}
