// Whether memory can be read, asked of the memory manager instead of
// provoking a fault: the unwinder walks frames it cannot trust.
#pragma once

#include <cstddef>
#include <cstdint>

// How many of the `wanted` bytes from `address` on can be read in a row.
std::size_t memory_readable_extent(std::uintptr_t address, std::size_t wanted);

inline bool memory_is_readable(std::uintptr_t address, std::size_t size) {
    return memory_readable_extent(address, size) == size;
}
