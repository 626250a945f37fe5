#include "objects/memory.h"

#include <windows.h>

#include <cstring>

#include "objects/runtime_lock.h"

namespace {

// Small requests: one free list per multiple of 4 up to 252 bytes.
constexpr std::size_t kSmallStep = 4;
constexpr std::size_t kSmallLimit = 252;
constexpr std::size_t kFreeListCount = kSmallLimit / kSmallStep;  // 63
constexpr std::size_t kRefillBytes = 8192;

struct FreeBlock {
    FreeBlock* next;
};

FreeBlock* g_free_lists[kFreeListCount];
RuntimeMemoryUse g_use;

[[noreturn]] void out_of_memory() {
    // There is nothing left to show a dialog with: leave quietly.
    ExitProcess(0);
}

std::size_t small_size(std::size_t size) {
    return size == 0 ? kSmallStep : (size + kSmallStep - 1) & ~(kSmallStep - 1);
}

std::size_t list_index(std::size_t rounded) { return rounded / kSmallStep - 1; }

// Cuts a fresh 8 KB block into blocks of one size; called under the lock.
void refill(std::size_t rounded) {
    auto* bytes = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, kRefillBytes));
    if (!bytes) out_of_memory();
    FreeBlock*& list = g_free_lists[list_index(rounded)];
    for (std::size_t offset = 0; offset + rounded <= kRefillBytes; offset += rounded) {
        auto* block = reinterpret_cast<FreeBlock*>(bytes + offset);
        block->next = list;
        list = block;
    }
}

}  // namespace

void* runtime_alloc(std::size_t size) {
    if (size > kSmallLimit) {
        void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
        if (!block) out_of_memory();
        runtime_lock_enter();
        g_use.large_bytes += size;
        runtime_lock_leave();
        return block;
    }
    std::size_t rounded = small_size(size);
    runtime_lock_enter();
    FreeBlock*& list = g_free_lists[list_index(rounded)];
    if (!list) refill(rounded);
    FreeBlock* block = list;
    list = block->next;
    g_use.small_bytes += rounded;
    runtime_lock_leave();
    std::memset(block, 0, rounded);
    return block;
}

void runtime_free(void* block, std::size_t size) {
    if (!block) return;
    if (size > kSmallLimit) {
        HeapFree(GetProcessHeap(), 0, block);
        runtime_lock_enter();
        g_use.large_bytes -= size;
        runtime_lock_leave();
        return;
    }
    std::size_t rounded = small_size(size);
    runtime_lock_enter();
    FreeBlock*& list = g_free_lists[list_index(rounded)];
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = list;
    list = freed;
    g_use.small_bytes -= rounded;
    runtime_lock_leave();
}

RuntimeMemoryUse runtime_memory_use() {
    runtime_lock_enter();
    RuntimeMemoryUse use = g_use;
    runtime_lock_leave();
    return use;
}
