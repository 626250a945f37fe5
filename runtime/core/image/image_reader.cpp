#include <windows.h>

#include <cstring>

#include "image/image_loader.h"
#include "image/linker.h"
#include "objects/memory.h"

namespace {

constexpr std::uint32_t kNoMediaTable = 0xFFFFFFFF;

struct Locator {
    std::uint32_t image_offset;  // 0: loose files
    std::uint32_t media_table_offset;
};

Locator read_locator() {
    Locator locator = {0, kNoMediaTable};
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(101), "PICKLE");
    if (!resource) return locator;
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    DWORD size = SizeofResource(module, resource);
    if (!bytes || size < 4 || std::memcmp(bytes, "PICK", 4) == 0) return locator;
    std::memcpy(&locator.image_offset, bytes, 4);
    if (size >= 8) std::memcpy(&locator.media_table_offset, bytes + 4, 4);
    return locator;
}

std::uint8_t* allocate_block(std::uint32_t size, bool code) {
    if (!code) return static_cast<std::uint8_t*>(runtime_alloc(size));
    void* block = VirtualAlloc(nullptr, size ? size : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block) ExitProcess(0);
    return static_cast<std::uint8_t*>(block);
}

bool read_exactly(HANDLE file, void* into, std::uint32_t size) {
    DWORD got = 0;
    return size == 0 || (ReadFile(file, into, size, &got, nullptr) && got == size);
}

struct BlockSlot {
    std::uint8_t** bytes;
    std::uint32_t* size;
    bool code;
};

void block_slots(ImageBlocks& out, BlockSlot slots[4]) {
    slots[0] = {&out.code, &out.code_size, true};
    slots[1] = {&out.link, &out.link_size, false};
    slots[2] = {&out.data, &out.data_size, false};
    slots[3] = {&out.res, &out.res_size, false};
}

RuntimeString* read_appended(std::uint32_t offset, ImageBlocks& out) {
    char path[512];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return damaged_image_message("the program file cannot be named");
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return damaged_image_message("the program file cannot be read");
    DWORD file_size = GetFileSize(file, nullptr);
    RuntimeString* failure = nullptr;
    if (offset > file_size || SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        failure = damaged_image_message("the image lies beyond the end of the program file");
    }
    BlockSlot slots[4];
    block_slots(out, slots);
    std::uint32_t pos = offset;
    for (int i = 0; i < 4 && !failure; ++i) {
        std::uint32_t size = 0;
        // A length beyond the file would be a truncated image, not a big one.
        if (!read_exactly(file, &size, 4) || size > file_size - pos - 4) {
            failure = damaged_image_message("the image is cut short");
            break;
        }
        pos += 4;
        *slots[i].bytes = allocate_block(size, slots[i].code);
        *slots[i].size = size;
        if (!read_exactly(file, *slots[i].bytes, size)) failure = damaged_image_message("the image is cut short");
        pos += size;
    }
    CloseHandle(file);
    return failure;
}

RuntimeString* read_loose(ImageBlocks& out) {
    // Block order in the image is code, link, data, res.
    static const char* const kFiles[4] = {"code1.dat", "code2.dat", "data1.dat", "data2.dat"};
    BlockSlot slots[4];
    block_slots(out, slots);
    for (int i = 0; i < 4; ++i) {
        HANDLE file = CreateFileA(kFiles[i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD size = file == INVALID_HANDLE_VALUE ? INVALID_FILE_SIZE : GetFileSize(file, nullptr);
        bool ok = size != INVALID_FILE_SIZE;
        if (ok) {
            *slots[i].bytes = allocate_block(size, slots[i].code);
            *slots[i].size = size;
            ok = read_exactly(file, *slots[i].bytes, size);
        }
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!ok) {
            return string_concat({"The application could not be loaded because the file ", kFiles[i], " could not be read."});
        }
    }
    return nullptr;
}

}  // namespace

RuntimeString* read_image_blocks(ImageBlocks& out) {
    out = ImageBlocks{};
    Locator locator = read_locator();
    out.media_table_offset = locator.image_offset ? locator.media_table_offset : kNoMediaTable;
    RuntimeString* failure = locator.image_offset ? read_appended(locator.image_offset, out) : read_loose(out);
    if (failure) release_image_blocks(out);
    return failure;
}

void release_image_blocks(ImageBlocks& blocks) {
    if (blocks.code) VirtualFree(blocks.code, 0, MEM_RELEASE);
    runtime_free(blocks.link, blocks.link_size);
    runtime_free(blocks.data, blocks.data_size);
    runtime_free(blocks.res, blocks.res_size);
    std::uint32_t media = blocks.media_table_offset;
    blocks = ImageBlocks{};
    blocks.media_table_offset = media;
}
