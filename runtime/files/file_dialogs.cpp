#include "file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "file_entry_points.h"
#include "file_types.h"
#include "folder_item.h"
#include "objects/memory.h"
#include "startup/ui_services.h"
#include "path_parts.h"

namespace {

constexpr DWORD kFileNameSize = 256;
// The original structure, without the fields that later systems added.
constexpr DWORD kOpenFileNameSize = 76;

void append(DialogFilter* f, const void* bytes, std::size_t n) {
    if (f->length + n > f->capacity) {
        std::size_t capacity = f->capacity ? f->capacity : 256;
        while (capacity < f->length + n) capacity *= 2;
        char* grown = static_cast<char*>(runtime_alloc(capacity));
        if (f->length) std::memcpy(grown, f->list, f->length);
        runtime_free(f->list, f->capacity);
        f->list = grown;
        f->capacity = capacity;
    }
    std::memcpy(f->list + f->length, bytes, n);
    f->length += n;
}

void append_text(DialogFilter* f, Text t) { append(f, t.bytes, t.length); }

// The ";"-separated fields of `list`, each handed to `each`.
template <typename Each>
void for_each_field(Text list, Each each) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.length; ++i) {
        if (i < list.length && list.bytes[i] != ';') continue;
        each(Text{list.bytes + start, i - start});
        start = i + 1;
    }
}

// Appends the pattern of the file types called `name`.
void append_pattern(DialogFilter* f, Text name) {
    bool empty = true;
    for (std::size_t i = 0; i < file_type_count(); ++i) {
        const FileType& type = *file_type_at(i);
        if (!text_equal_ignoring_case(text_of(type.name), name)) continue;
        const Text extensions = text_of(type.extensions);
        if (extensions.length == 0) {
            if (empty && string_length(type.type) == 0) {
                append(f, "*.*", 3);
                empty = false;
            }
            continue;
        }
        for_each_field(extensions, [&](Text e) {
            if (e.length == 0) return;
            if (empty && e.bytes[0] == '.') {
                RuntimeUnlockString(f->default_extension);
                f->default_extension = string_from_bytes(e.bytes + 1, e.length - 1);
            }
            append(f, empty ? "*" : ";*", empty ? 1 : 2);
            append_text(f, e);
            empty = false;
        });
    }
}

// Runs one of the two dialogs; the chosen path, or nil on cancel or error.
RuntimeObject* run_dialog(RuntimeString* filter_names, RuntimeString* default_name, bool save) {
    DialogFilter filter = dialog_filter_build(filter_names);
    char file_name[kFileNameSize] = {};
    const Text initial = text_of(default_name);
    std::memcpy(file_name, initial.bytes, initial.length < kFileNameSize ? initial.length : kFileNameSize - 1);
    OPENFILENAMEA request{};
    request.lStructSize = kOpenFileNameSize;
    request.hwndOwner = ui_services().message_owner();
    request.lpstrFilter = filter.list;
    request.lpstrFile = file_name;
    request.nMaxFile = kFileNameSize;
    BOOL chosen;
    if (save) {
        request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (filter.default_extension) request.lpstrDefExt = string_cstr(filter.default_extension);
        chosen = GetSaveFileNameA(&request);
    } else {
        request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&request);
    }
    dialog_filter_release(&filter);
    return chosen ? folder_item_new(string_from_cstr(file_name)) : nullptr;
}

}  // namespace

DialogFilter dialog_filter_build(RuntimeString* filter) {
    DialogFilter f{};
    for_each_field(text_of(filter), [&](Text name) {
        // An empty name would end the list right there.
        if (name.length == 0) return;
        append_text(&f, name);
        append(&f, "", 1);
        append_pattern(&f, name);
        append(&f, "", 1);
    });
    append(&f, "\0", 2);
    return f;
}

void dialog_filter_release(DialogFilter* filter) {
    runtime_free(filter->list, filter->capacity);
    RuntimeUnlockString(filter->default_extension);
    *filter = DialogFilter{};
}

extern "C" {

RuntimeObject* RuntimeGetOpenFolderItem(RuntimeString* filter) { return run_dialog(filter, nullptr, false); }

RuntimeObject* RuntimeGetSaveFolderItem(RuntimeString* filter, RuntimeString* default_name) {
    return run_dialog(filter, default_name, true);
}

}  // extern "C"
