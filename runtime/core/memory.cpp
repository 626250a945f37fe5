#include "memory.h"

#include <windows.h>

#include "runtime_lock.h"

namespace {

[[noreturn]] void out_of_memory() {
    // There is nothing left to show a dialog with: leave quietly.
    ExitProcess(0);
}

}  // namespace

void* runtime_alloc(std::size_t size) {
    runtime_lock_enter();
    void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size ? size : 1);
    runtime_lock_leave();
    if (!block) out_of_memory();
    return block;
}

void runtime_free(void* block, std::size_t /*size*/) {
    if (!block) return;
    runtime_lock_enter();
    HeapFree(GetProcessHeap(), 0, block);
    runtime_lock_leave();
}
