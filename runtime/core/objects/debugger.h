// Entry points for a debugger: the live objects, the memory in use and the
// runtime's own instance.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
std::int32_t RuntimeDebugObjectCount(RuntimeObject* excluded);
std::uint32_t RuntimeDebugObjectID(RuntimeObject* excluded, std::int32_t n);
RuntimeString* RuntimeDebugObjectClass(RuntimeObject* excluded, std::int32_t n);
std::int32_t RuntimeDebugObjectRefs(RuntimeObject* excluded, std::int32_t n);
std::uint32_t RuntimeDebugMemoryUsed();
RuntimeObject* RuntimeDebugInstance();
// One debugger-output line per live object, newest first: identifier (as
// RuntimeDebugObjectID gives it), class name, references.
void debugDumpObjects();
}
