#include "image/linker.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "image/export_table.h"
#include "image/export_trap.h"
#include "objects/memory.h"

namespace {

std::uint32_t read_u32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void write_u32(std::uint8_t* p, std::uint32_t value) { std::memcpy(p, &value, 4); }

bool field_in_code(const ImageMemory& image, std::uint32_t offset) {
    return image.code_size >= 4 && offset <= image.code_size - 4;
}

// A chain is sound when every link stays in the code block and it ends
// before visiting more fields than the block can hold.
bool chain_is_sound(const ImageMemory& image, std::uint32_t head) {
    std::uint32_t limit = image.code_size / 4 + 1;
    for (std::uint32_t offset = head; offset != 0; offset = read_u32(image.code + offset)) {
        if (!field_in_code(image, offset) || limit-- == 0) return false;
    }
    return true;
}

struct LoadedLibrary {
    LoadedLibrary* next;
    char* name;
    std::size_t length;
    HMODULE module;
};
LoadedLibrary* g_libraries = nullptr;

HMODULE library_for(const char* name, std::size_t length) {
    for (LoadedLibrary* lib = g_libraries; lib; lib = lib->next) {
        if (lib->length == length && std::memcmp(lib->name, name, length) == 0) return lib->module;
    }
    HMODULE module = LoadLibraryA(name);
    if (!module) return nullptr;
    auto* lib = static_cast<LoadedLibrary*>(runtime_alloc(sizeof(LoadedLibrary)));
    lib->name = static_cast<char*>(runtime_alloc(length + 1));
    std::memcpy(lib->name, name, length);
    lib->length = length;
    lib->module = module;
    lib->next = g_libraries;
    g_libraries = lib;
    return module;
}

struct PendingReference {
    PendingReference* next;
    RuntimeString* text;
    std::uint32_t head;
};
PendingReference* g_pending = nullptr;
PluginMemberLookup g_lookup = nullptr;
ImageMemory g_linked_image = {};

RuntimeString* link_library_routine(const ImageMemory& image, std::uint32_t head, const char* declaration) {
    // "!X" + library + "!" + routine; without a further "!" the library is empty.
    char library[256] = "";
    const char* routine = declaration;
    if (const char* bang = std::strchr(declaration, '!')) {
        std::size_t length = static_cast<std::size_t>(bang - declaration);
        std::memcpy(library, declaration, length);
        library[length] = 0;
        routine = bang + 1;
    }
    HMODULE module = library_for(library, std::strlen(library));
    if (!module) {
        return string_concat({"The application could not be loaded because a necessary shared library ", library,
                              " could not be found."});
    }
    FARPROC address = GetProcAddress(module, routine);
    if (!address) {
        return string_concat({"The application could not be loaded because the routine ", routine,
                              " could not be found in the shared library ", library, "."});
    }
    if (!bind_chain(image, head, reinterpret_cast<const void*>(address)))
        return damaged_image_message("the calls of a library routine overlap");
    return nullptr;
}

}  // namespace

RuntimeString* damaged_image_message(const char* detail) {
    return string_concat({"The application could not be loaded because its image is damaged (", detail, ")."});
}

bool bind_chain(const ImageMemory& image, std::uint32_t head, const void* target) {
    if (!chain_is_sound(image, head)) return false;
    // Writing a field must not change a link still to be followed: the
    // fields are taken first, and fields that share bytes are damage.
    std::uint32_t count = 0;
    for (std::uint32_t offset = head; offset != 0; offset = read_u32(image.code + offset)) ++count;
    auto* fields = static_cast<std::uint32_t*>(runtime_alloc(sizeof(std::uint32_t) * (count ? count : 1)));
    std::uint32_t n = 0;
    for (std::uint32_t offset = head; offset != 0; offset = read_u32(image.code + offset)) fields[n++] = offset;
    std::sort(fields, fields + n);
    bool apart = true;
    for (std::uint32_t i = 1; i < n && apart; ++i) apart = fields[i] - fields[i - 1] >= 4;
    for (std::uint32_t i = 0; i < n && apart; ++i) {
        std::uint8_t* field = image.code + fields[i];
        write_u32(field, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target) -
                                                     (reinterpret_cast<std::uintptr_t>(field) + 4)));
    }
    runtime_free(fields, sizeof(std::uint32_t) * (count ? count : 1));
    return apart;
}

RuntimeString* link_image(const ImageMemory& image, const std::uint8_t* link, std::uint32_t link_size) {
    g_linked_image = image;
    std::uint32_t pos = 0;
    while (pos < link_size) {
        std::uint8_t type = link[pos];
        if (type == 0x02) {
            if (link_size - pos < 5) return damaged_image_message("a link record is cut short");
            std::uint32_t offset = read_u32(link + pos + 1);
            if (!field_in_code(image, offset)) return damaged_image_message("a data reference lies outside the code");
            write_u32(image.code + offset,
                      read_u32(image.code + offset) + static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(image.data)));
            pos += 5;
            continue;
        }
        if (type != 0x01) {
            ++pos;
            continue;
        }
        if (link_size - pos < 6 || link_size - pos - 6 < link[pos + 5]) {
            return damaged_image_message("a link record is cut short");
        }
        std::uint32_t head = read_u32(link + pos + 1);
        char name[256];
        std::uint8_t length = link[pos + 5];
        std::memcpy(name, link + pos + 6, length);
        name[length] = 0;
        pos += 6u + length;
        if (!chain_is_sound(image, head)) {
            return string_concat({"The application could not be loaded because its image is damaged (the calls of ", name,
                                  " leave the code)."});
        }
        if (name[0] != '!') {
            void* entry = export_lookup_link(name);
            // An unknown name would leave its call sites jumping to garbage.
            if (!entry) {
                return string_concat({"The application could not be loaded because the runtime entry point ", name,
                                      " could not be found."});
            }
            if (!bind_chain(image, head, entry)) {
                return string_concat({"The application could not be loaded because its image is damaged (the calls of ",
                                      name, " overlap)."});
            }
        } else if (name[1] == 'X') {
            if (RuntimeString* failure = link_library_routine(image, head, name + 2)) return failure;
        } else {
            auto* ref = static_cast<PendingReference*>(runtime_alloc(sizeof(PendingReference)));
            ref->text = string_from_cstr(name + 1);
            ref->head = head;
            ref->next = g_pending;
            g_pending = ref;
        }
    }
    return nullptr;
}

RuntimeString* relocate_data(const ImageMemory& image, const std::uint8_t* res, std::uint32_t res_size) {
    const std::uint32_t code_base = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(image.code));
    const std::uint32_t data_base = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(image.data));
    std::uint64_t cursor = 0;  // may run past the end on a final gap
    // Words are read in pairs of bytes; an odd last byte is ignored.
    for (std::uint32_t i = 0; 2 * i + 1 < res_size; ++i) {
        std::uint16_t w = static_cast<std::uint16_t>(res[2 * i] | (res[2 * i + 1] << 8));
        if ((w & 0xF000) == 0x8000) {
            cursor += (w & 0x0FFFu) + 1;
            continue;
        }
        std::uint32_t base;
        switch (w & 0xFE00) {
            case 0x4000:
            case 0x4600: base = code_base; break;
            case 0x4200: base = data_base; break;
            default: continue;
        }
        std::uint32_t words = (w & 0x01FFu) + 1;
        if (cursor + 4ull * words > image.data_size) {
            return damaged_image_message("a relocation lies outside the data");
        }
        for (std::uint32_t k = 0; k < words; ++k, cursor += 4) {
            std::uint8_t* p = image.data + cursor;
            write_u32(p, read_u32(p) + base);
        }
    }
    return nullptr;
}

int loaded_library_count() {
    int n = 0;
    for (LoadedLibrary* lib = g_libraries; lib; lib = lib->next) ++n;
    return n;
}

void set_plugin_member_lookup(PluginMemberLookup lookup) { g_lookup = lookup; }

int pending_plugin_reference_count() {
    int n = 0;
    for (PendingReference* ref = g_pending; ref; ref = ref->next) ++n;
    return n;
}

namespace {
// A call site without a target would jump anywhere: the program does not start.
[[noreturn]] void refuse_unbound_reference(const RuntimeString* text) {
    RuntimeString* message = string_concat({"The application could not be started because no installed plugin provides "
                                            "its member !", string_cstr(text), "."});
    RuntimeMsgBox(message);
    RuntimeUnlockString(message);
    ExitProcess(0);
}
}  // namespace

void resolve_pending_plugin_references() {
    const ImageMemory& image = g_linked_image;
    DWORD old_protection = 0;
    if (image.code_protected && g_pending) VirtualProtect(image.code, image.code_size, PAGE_READWRITE, &old_protection);
    while (PendingReference* ref = g_pending) {
        g_pending = ref->next;
        void* target = g_lookup ? g_lookup(ref->text) : nullptr;
        if (!target) refuse_unbound_reference(ref->text);
        bind_chain(image, ref->head, target);
        RuntimeUnlockString(ref->text);
        runtime_free(ref, sizeof(PendingReference));
    }
    if (image.code_protected && old_protection) {
        VirtualProtect(image.code, image.code_size, old_protection, &old_protection);
        FlushInstructionCache(GetCurrentProcess(), image.code, image.code_size);
    }
}
