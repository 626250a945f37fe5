#include "controls/edit_field/rich_edit_window.h"

#include <richedit.h>

#include "strings/runtime_string.h"

std::uint32_t rich_edit_window_length(HWND window) {
    if (!window) return 0;
    const LRESULT n = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

RuntimeString* rich_edit_window_text(HWND window) {
    const std::uint32_t n = rich_edit_window_length(window);
    if (!n) return nullptr;
    // One byte more for the zero the window writes; the string keeps its own.
    RuntimeString* text = string_allocate(n + 1);
    const LRESULT got = SendMessageA(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(string_bytes(text)));
    RuntimeString* exact = string_slice(text, 0, got > 0 ? static_cast<std::size_t>(got) : 0);
    RuntimeUnlockString(text);
    return exact;
}

void rich_edit_set_window_text(HWND window, const char* text) {
    if (window) SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

void rich_edit_window_selection(HWND window, std::int32_t& start, std::int32_t& end) {
    CHARRANGE range = {0, 0};
    if (window) SendMessageA(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    start = range.cpMin;
    end = range.cpMax;
}

// By range, not EM_GETSELTEXT: that one writes however much is selected.
RuntimeString* rich_edit_window_text_range(HWND window, std::int32_t start, std::int32_t end) {
    if (!window || end <= start) return nullptr;
    RuntimeString* text = string_allocate(static_cast<std::size_t>(end - start) + 1);
    TEXTRANGEA range = {{start, end}, reinterpret_cast<char*>(string_bytes(text))};
    const LRESULT got = SendMessageA(window, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    const std::size_t n = got > 0 && got <= end - start ? static_cast<std::size_t>(got) : 0;
    RuntimeString* exact = string_slice(text, 0, n);
    RuntimeUnlockString(text);
    return exact;
}

ClipboardEdit rich_edit_clipboard_edit(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_CUT: return ClipboardEdit::Cut;
        case WM_COPY: return ClipboardEdit::Copy;
        case WM_PASTE: return ClipboardEdit::Paste;
        case WM_KEYDOWN: break;
        default: return ClipboardEdit::None;
    }
    const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (control == shift) return ClipboardEdit::None;
    switch (wparam) {
        case 'X': return control ? ClipboardEdit::Cut : ClipboardEdit::None;
        case 'C': return control ? ClipboardEdit::Copy : ClipboardEdit::None;
        case 'V': return control ? ClipboardEdit::Paste : ClipboardEdit::None;
        case VK_DELETE: return shift ? ClipboardEdit::Cut : ClipboardEdit::None;
        case VK_INSERT: return control ? ClipboardEdit::Copy : ClipboardEdit::Paste;
        default: return ClipboardEdit::None;
    }
}

bool rich_edit_open_clipboard(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

RuntimeString* rich_edit_clipboard_text(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !rich_edit_open_clipboard(owner)) return nullptr;
    RuntimeString* text = nullptr;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = string_from_cstr(bytes);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
