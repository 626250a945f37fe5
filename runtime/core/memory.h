// Runtime memory. Every block the runtime hands out for objects, strings and
// image records comes from here; exhaustion ends the process.
#pragma once

#include <cstddef>

void* runtime_alloc(std::size_t size);  // zero-filled; never returns null
void runtime_free(void* block);         // null is ignored
