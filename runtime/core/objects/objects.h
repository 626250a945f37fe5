// Runtime objects: reference-counted blocks with a class descriptor, kept in
// one list of live objects, destroyed without recursion. A reference
// returned by a creating call belongs to the caller.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeClass;

struct RuntimeObject {
    std::int32_t refs;
    RuntimeClass* cls;
    RuntimeObject* previous;  // live-object list; front has none
    RuntimeObject* next;
    std::uint32_t base[2];  // zero; the rest of the base class Object
    // the fields of each class follow, the root class's first
};
static_assert(sizeof(RuntimeObject) == 24, "the object header is six words");

// A new object of `cls` with one reference, constructors run.
RuntimeObject* object_new(RuntimeClass* cls);
// True for an object of `cls` or a subclass, or, for an interface, one whose
// class chain implements it. False for nil.
bool object_isa(const RuntimeObject* object, const RuntimeClass* cls);
// Raises a new object of an exception class (NilObjectException ...).
[[noreturn]] void object_raise_new(RuntimeClass* exception_class);

// The live-object list, newest first; follow `next`.
RuntimeObject* live_objects_first();

// For the unwinder: execution resumes in `frame`, so every runtime frame
// below it is gone: a destruction loop running there no longer is, and an
// object whose constructor raised there is released.
void objects_unwound_to(const void* frame);

extern "C" {
RuntimeObject* RuntimeLockObject(RuntimeObject* object);  // nil ignored; returns the object
void RuntimeUnlockObject(RuntimeObject* object);          // nil ignored
RuntimeObject* RuntimeNewObject(std::int32_t class_index);
std::int32_t RuntimeObjectIsa(RuntimeObject* object, std::int32_t class_index);  // 1 or 0
RuntimeObject* RuntimeCheckCast(RuntimeObject* object, std::int32_t class_index);  // returns the object
[[noreturn]] void RuntimeNilObject();
}
