#include "startup/project_settings.h"

#include <windows.h>

#include "file_types.h"
#include "objects/memory.h"
#include "strings/message_texts.h"
#include "image/packed_reader.h"
#include "strings/runtime_string.h"

namespace {

// Every entry takes at least one byte per text, so a count beyond the bytes
// left is damage; taken as it stands it would size the list past memory.
std::int32_t entries_possible(const PackedReader& in, std::int32_t count, std::size_t texts_per_entry) {
    const std::size_t most = in.remaining() / texts_per_entry;
    return static_cast<std::size_t>(count) > most ? static_cast<std::int32_t>(most) : count;
}

ProjectSettings g_settings = {0, DEFAULT_CHARSET, false, nullptr};

// A list that ended early keeps the entries read whole, in a block of
// their size: the list is freed by its count.
template <typename Entry>
Entry* fitted(Entry* entries, std::int32_t allocated, std::int32_t used) {
    if (used == allocated) return entries;
    Entry* fit = used ? static_cast<Entry*>(runtime_alloc(sizeof(Entry) * static_cast<std::size_t>(used))) : nullptr;
    for (std::int32_t i = 0; i < used; ++i) fit[i] = entries[i];
    runtime_free(entries, sizeof(Entry) * static_cast<std::size_t>(allocated));
    return fit;
}

bool read_file_types(PackedReader& in) {
    std::int32_t count;
    if (!in.packed(count)) return false;
    if (count <= 0) {
        file_types_install(nullptr, 0);
        return true;
    }
    const std::int32_t possible = entries_possible(in, count, 4);
    auto* types = static_cast<FileType*>(runtime_alloc(sizeof(FileType) * static_cast<std::size_t>(possible)));
    std::int32_t read = 0;
    for (; read < possible; ++read) {
        FileType& t = types[read];
        if (!in.text(t.name) || !in.text(t.creator) || !in.text(t.type) || !in.text(t.extensions)) {
            // The texts of the entry cut short.
            RuntimeUnlockString(t.name);
            RuntimeUnlockString(t.creator);
            RuntimeUnlockString(t.type);
            break;
        }
    }
    // The list takes over the entries and their strings.
    file_types_install(fitted(types, possible, read), static_cast<std::size_t>(read));
    return read == count;
}

bool read_message_texts(PackedReader& in) {
    std::int32_t count;
    if (!in.packed(count)) return false;
    if (count <= 0) {
        message_texts_install(nullptr, 0);
        return true;
    }
    const std::int32_t possible = entries_possible(in, count, 1);
    auto* texts = static_cast<RuntimeString**>(runtime_alloc(sizeof(RuntimeString*) * static_cast<std::size_t>(possible)));
    std::int32_t read = 0;
    while (read < possible && in.text(texts[read])) ++read;
    message_texts_install(fitted(texts, possible, read), read);
    return read == count;
}

}  // namespace

const ProjectSettings& project_settings() { return g_settings; }

std::uint8_t charset_for_script(std::uint32_t script_code) {
    switch (script_code) {
        case 12: return HEBREW_CHARSET;
        case 13: return SHIFTJIS_CHARSET;
        case 14: return ARABIC_CHARSET;
        case 16: return GREEK_CHARSET;
        case 19: return TURKISH_CHARSET;
        case 21: return CHINESEBIG5_CHARSET;
        case 24: return THAI_CHARSET;
        case 34: return RUSSIAN_CHARSET;
        default: return DEFAULT_CHARSET;
    }
}

bool project_settings_read(const std::uint8_t* bytes, std::size_t length) {
    PackedReader in(bytes, length);
    std::uint32_t unused, script;
    std::uint8_t mdi;
    if (!in.u8(g_settings.display_option) || !in.u32_big_endian(unused) || !in.u32_big_endian(script)) return false;
    g_settings.charset = charset_for_script(script);
    if (!read_file_types(in) || !read_message_texts(in) || !in.u8(mdi)) return false;
    g_settings.mdi = mdi == 1;
    RuntimeString* title = nullptr;
    if (!in.text(title)) return false;
    string_assign(&g_settings.title, title);
    RuntimeUnlockString(title);
    return true;
}
