// Runtime memory. Every block the runtime hands out for objects, strings and
// image records comes from here; exhaustion ends the process.
#pragma once

#include <cstddef>

// Blocks are returned with the size they were taken with, so that small
// sizes can go back to their free lists.
void* runtime_alloc(std::size_t size);             // zero-filled; never returns null
void runtime_free(void* block, std::size_t size);  // null is ignored
