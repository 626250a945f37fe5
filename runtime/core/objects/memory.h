// Runtime memory: the object allocator. Every block the runtime hands out for
// objects, strings and image records comes from here; exhaustion ends the
// process.
#pragma once

#include <cstddef>

// Blocks are returned with the size they were taken with, so that small
// sizes can go back to their free lists.
void* runtime_alloc(std::size_t size);             // zero-filled; never returns null
void runtime_free(void* block, std::size_t size);  // null is ignored

// What is handed out now: bytes of small blocks (sizes rounded up to 4, the
// figure the debugger sees) and bytes of larger blocks from the general heap.
struct RuntimeMemoryUse {
    std::size_t small_bytes;
    std::size_t large_bytes;
};
RuntimeMemoryUse runtime_memory_use();
