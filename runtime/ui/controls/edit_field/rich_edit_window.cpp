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
