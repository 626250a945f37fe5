// How application code reaches the controls of a window: by key, by
// control-array member, and by cloning a new member from its template.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
RuntimeObject* RuntimeControlFetch(RuntimeObject* window, RuntimeString* name);  // no reference added
RuntimeObject* RuntimeControlReference(RuntimeObject* window, RuntimeString* name);
RuntimeObject* RuntimeControlArrayItemReference(RuntimeObject* window, RuntimeString* name, std::int32_t index);
RuntimeObject* RuntimeCloneControlReference(RuntimeObject* window, RuntimeString* name);
}
