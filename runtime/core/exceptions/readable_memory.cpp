#include "exceptions/readable_memory.h"

#include <windows.h>

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

}  // namespace

std::size_t memory_readable_extent(std::uintptr_t address, std::size_t wanted) {
    std::uintptr_t start = address, end = address + wanted;
    if (end < address) end = UINTPTR_MAX;
    while (address < end) {
        MEMORY_BASIC_INFORMATION info;
        if (!VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) || info.State != MEM_COMMIT ||
            (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(info.Protect & kReadable)) {
            break;
        }
        address = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    }
    std::uintptr_t readable_end = address < end ? address : end;
    return readable_end - start;
}
