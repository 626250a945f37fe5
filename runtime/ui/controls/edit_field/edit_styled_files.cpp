// Styled text files: the field reads and writes its text with its
// character styles as rich text through the rich-edit stream messages.
#include <richedit.h>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "folder_item.h"
#include "strings/runtime_string.h"

namespace {

DWORD CALLBACK read_file(DWORD_PTR file, LPBYTE buffer, LONG wanted, LONG* got) {
    DWORD n = 0;
    const BOOL ok = ReadFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(wanted), &n, nullptr);
    *got = static_cast<LONG>(n);
    return ok ? 0 : 1;
}

DWORD CALLBACK write_file(DWORD_PTR file, LPBYTE buffer, LONG count, LONG* written) {
    DWORD n = 0;
    const BOOL ok = WriteFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(count), &n, nullptr);
    *written = static_cast<LONG>(n);
    return ok && n == static_cast<DWORD>(count) ? 0 : 1;
}

// The field's pane and the item's path (borrowed), when both are there.
RichEditPane* live_pane(RuntimeObject* item, RuntimeObject* field, const RuntimeString*& path) {
    RichEditPane* pane = edit_field_pane(edit_field_of(field));
    if (!pane || !pane->native || !item) return nullptr;
    path = folder_item_path(item);
    return string_length(path) ? pane : nullptr;
}

}  // namespace

extern "C" {

void FolderItemOpenStyledEditField(RuntimeObject* item, RuntimeObject* field) {
    const RuntimeString* path = nullptr;
    RichEditPane* pane = live_pane(item, field, path);
    if (!pane) return;
    HANDLE file = CreateFileA(string_cstr(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    // A masked field takes the file's text as its clear text.
    const bool masked = pane->masking();
    if (masked) pane->set_masking(false);
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, read_file};
    SendMessageA(pane->native, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    if (masked && edit_field_pane(edit_field_of(field)) == pane) pane->set_masking(true);
}

void FolderItemSaveStyledEditField(RuntimeObject* item, RuntimeObject* field) {
    const RuntimeString* path = nullptr;
    RichEditPane* pane = live_pane(item, field, path);
    if (!pane) return;
    HANDLE file = CreateFileA(string_cstr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, write_file};
    SendMessageA(pane->native, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
}

}  // extern "C"
