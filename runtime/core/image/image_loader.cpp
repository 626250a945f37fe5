#include "image/image_loader.h"

#include <windows.h>

#include <cstring>

#include "exceptions/fault_filter.h"
#include "image/linker.h"
#include "objects/memory.h"

namespace {

ImageBlocks g_image = {};

RuntimeString* link_and_relocate(ImageBlocks& blocks) {
    ImageMemory memory = {blocks.code, blocks.code_size, blocks.data, blocks.data_size, true};
    RuntimeString* failure = link_image(memory, blocks.link, blocks.link_size);
    runtime_free(blocks.link, blocks.link_size);
    blocks.link = nullptr;
    if (!failure) failure = relocate_data(memory, blocks.res, blocks.res_size);
    runtime_free(blocks.res, blocks.res_size);
    blocks.res = nullptr;
    if (failure) return failure;

    std::uint32_t entry = 0;
    if (blocks.data_size >= 4) std::memcpy(&entry, blocks.data, 4);
    auto code_base = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(blocks.code));
    if (blocks.data_size < 4 || entry < code_base || entry - code_base >= blocks.code_size) {
        return damaged_image_message("its entry point lies outside the code");
    }
    return nullptr;
}

}  // namespace

bool load_and_enter_image() {
    RuntimeString* failure = read_image_blocks(g_image);
    if (!failure) failure = link_and_relocate(g_image);
    if (failure) {
        release_image_blocks(g_image);
        RuntimeMsgBox(failure);
        RuntimeUnlockString(failure);
        return false;
    }
    DWORD old_protection;
    VirtualProtect(g_image.code, g_image.code_size, PAGE_EXECUTE_READ, &old_protection);
    FlushInstructionCache(GetCurrentProcess(), g_image.code, g_image.code_size);

    // From here on a fault ends with the failure report.
    fault_filter_install();
    std::uint32_t entry;
    std::memcpy(&entry, g_image.data, 4);
    reinterpret_cast<void (*)()>(static_cast<std::uintptr_t>(entry))();
    return true;
}

const std::uint8_t* image_code_base() { return g_image.code; }
std::uint32_t image_code_size() { return g_image.code_size; }
const std::uint8_t* image_data_base() { return g_image.data; }
std::uint32_t image_data_size() { return g_image.data_size; }
std::uint32_t image_media_table_offset() { return g_image.media_table_offset; }
