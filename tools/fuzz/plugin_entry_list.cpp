// The list of plugins embedded in the image, as the installer walks it in
// the data block of the loaded image: each entry's link to the next is an absolute address. The
// input is that data from the list's head on, placed at one address for the
// whole run, so that links in seeds and in grown inputs stay meaningful;
// the bytes past the input are poisoned, so a read beyond them is caught.
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

#include "fuzz_shim.h"
#include "plugin_installer.h"

namespace {
constexpr std::size_t kCapacity = 1 << 20;
// Seeds are made with their links relative to this address (scripts/fuzz).
constexpr std::uintptr_t kListBase = 0x50000000;

std::uint8_t* list_area() {
    static std::uint8_t* area = [] {
        void* at = mmap(reinterpret_cast<void*>(kListBase), kCapacity, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        // Elsewhere the seeds' links would point nowhere.
        if (at != reinterpret_cast<void*>(kListBase)) std::abort();
        return static_cast<std::uint8_t*>(at);
    }();
    return area;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kCapacity) return 0;
    std::uint8_t* area = list_area();
    ASAN_UNPOISON_MEMORY_REGION(area, kCapacity);
    std::memcpy(area, data, size);
    ASAN_POISON_MEMORY_REGION(area + size, kCapacity - size);
    fuzz_set_image_data(area, static_cast<std::uint32_t>(size));
    const std::size_t baseline = fuzz_memory_in_use();
    plugin_install_from_image(area);
    fuzz_expect_memory(baseline);
    return 0;
}
