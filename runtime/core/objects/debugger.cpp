#include "objects/debugger.h"

#include <windows.h>

#include <cstdio>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

RuntimeObject* g_runtime_instance = nullptr;

std::uint32_t object_id(const RuntimeObject* object) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object)) ^ 0x15C7A3u;
}

// The name of the nearest named class: image subclasses of controls and
// windows may be unnamed.
const RuntimeString* class_name_of(const RuntimeObject* object) {
    for (const RuntimeClass* cls = object ? object->cls : nullptr; cls; cls = cls->superclass) {
        if (string_length(cls->name)) return cls->name;
    }
    return nullptr;
}

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
    return object ? object_id(object) : 0;
}

extern "C" RuntimeString* RuntimeDebugObjectClass(RuntimeObject* excluded, std::int32_t n) {
    const RuntimeObject* object = live_object_at(excluded, n);
    const RuntimeString* name = class_name_of(object);
    return name ? string_from_bytes(string_cstr(name), string_length(name)) : nullptr;
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

extern "C" void debugDumpObjects() {
    for (const RuntimeObject* object = live_objects_first(); object; object = object->next) {
        char line[300];
        std::snprintf(line, sizeof line, "%08X %.255s %d\r\n", static_cast<unsigned>(object_id(object)),
                      string_cstr(class_name_of(object)), static_cast<int>(object->refs));
        OutputDebugStringA(line);
    }
}
