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

RuntimeString* rich_edit_window_selected_text(HWND window, std::int32_t length) {
    if (!window || length <= 0) return nullptr;
    RuntimeString* text = string_allocate(static_cast<std::size_t>(length) + 1);
    const LRESULT got = SendMessageA(window, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(string_bytes(text)));
    RuntimeString* exact = string_slice(text, 0, got > 0 ? static_cast<std::size_t>(got) : 0);
    RuntimeUnlockString(text);
    return exact;
}
