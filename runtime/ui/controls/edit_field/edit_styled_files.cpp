// Styled text files: the field reads and writes its text with its
// character styles as rich text through the rich-edit stream messages.
#include <richedit.h>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "controls/edit_field/rich_edit_window.h"
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

DWORD CALLBACK write_buffer(DWORD_PTR buffer, LPBYTE bytes, LONG count, LONG* written) {
    ClearText* b = reinterpret_cast<ClearText*>(buffer);
    b->replace(b->length(), b->length(), reinterpret_cast<const char*>(bytes), static_cast<std::uint32_t>(count));
    *written = count;
    return 0;
}

struct BufferReader {
    const ClearText* buffer;
    std::uint32_t at;
};

DWORD CALLBACK read_buffer(DWORD_PTR reader, LPBYTE bytes, LONG wanted, LONG* got) {
    BufferReader* r = reinterpret_cast<BufferReader*>(reader);
    std::uint32_t n = r->buffer->length() - r->at;
    if (n > static_cast<std::uint32_t>(wanted)) n = static_cast<std::uint32_t>(wanted);
    CopyMemory(bytes, r->buffer->bytes() + r->at, n);
    r->at += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// A masked field's window shows asterisks: its rich text goes to a hidden
// window of the same kind where the clear characters take the asterisks'
// places, each keeping its character's style; that window is written.
// Null when none could be made.
HWND clear_rich_text(RichEditPane* pane) {
    RECT area;
    GetClientRect(pane->native, &area);
    const DWORD multi_line = static_cast<DWORD>(GetWindowLongA(pane->native, GWL_STYLE)) & ES_MULTILINE;
    HWND scratch = CreateWindowExA(0, kRichEditClass, "", WS_POPUP | multi_line, 0, 0, area.right, area.bottom,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!scratch) return nullptr;
    SendMessageA(scratch, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ClearText rich;
    EDITSTREAM to_buffer = {reinterpret_cast<DWORD_PTR>(&rich), 0, write_buffer};
    SendMessageA(pane->native, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&to_buffer));
    BufferReader reader = {&rich, 0};
    EDITSTREAM from_buffer = {reinterpret_cast<DWORD_PTR>(&reader), 0, read_buffer};
    SendMessageA(scratch, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&from_buffer));
    rich.release();
    RuntimeString* clear = pane->text();
    const char* bytes = string_cstr(clear);
    const std::uint32_t n = string_length(clear);
    if (rich_edit_window_length(scratch) != n) {
        rich_edit_set_window_text(scratch, bytes);  // no styles to match it with
    } else {
        for (std::uint32_t i = 0; i < n; ++i) {
            if (masked_character_of(bytes[i]) == bytes[i]) continue;
            const char one[2] = {bytes[i], 0};
            CHARRANGE at = {static_cast<LONG>(i), static_cast<LONG>(i + 1)};
            SendMessageA(scratch, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
            SendMessageA(scratch, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(one));
        }
    }
    RuntimeUnlockString(clear);
    return scratch;
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
    // A masked field takes the file's text as its clear text, never shown;
    // a plain one takes the text without its styles.
    HWND window = pane->native;
    const bool masked = pane->masking();
    if (masked) {
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        pane->set_masking(false);
    }
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, read_file};
    SendMessageA(window, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    if (edit_field_pane(edit_field_of(field)) != pane) return;
    if (!pane->styled) pane->plain_look();
    if (masked) {
        pane->set_masking(true);
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
}

void FolderItemSaveStyledEditField(RuntimeObject* item, RuntimeObject* field) {
    const RuntimeString* path = nullptr;
    RichEditPane* pane = live_pane(item, field, path);
    if (!pane) return;
    HWND source = pane->masking() ? clear_rich_text(pane) : pane->native;
    if (!source) return;
    HANDLE file = CreateFileA(string_cstr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, write_file};
        SendMessageA(source, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        CloseHandle(file);
    }
    if (source != pane->native) DestroyWindow(source);
}

}  // extern "C"
