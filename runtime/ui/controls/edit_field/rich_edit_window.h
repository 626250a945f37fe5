// Plain reads and writes of a rich-edit window's text and selection.
#pragma once

#include <windows.h>

#include <cstdint>

struct RuntimeString;

// The window class of the rich-edit library.
constexpr const char* kRichEditClass = "RichEdit";

RuntimeString* rich_edit_window_text(HWND window);  // a new reference; nil when empty
std::uint32_t rich_edit_window_length(HWND window);
void rich_edit_set_window_text(HWND window, const char* text);
void rich_edit_window_selection(HWND window, std::int32_t& start, std::int32_t& end);
// The text of [start, end) (a new reference).
RuntimeString* rich_edit_window_text_range(HWND window, std::int32_t start, std::int32_t end);
// A clipboard edit the window would do itself, by message or by key
// (Control+X, C, V; Shift+Delete, Control+Insert, Shift+Insert).
enum class ClipboardEdit { None, Cut, Copy, Paste };
ClipboardEdit rich_edit_clipboard_edit(UINT message, WPARAM wparam);
// The clipboard's text (a new reference), nil when it holds none.
RuntimeString* rich_edit_clipboard_text(HWND owner);
// Opens the clipboard, waiting a moment while another program holds it.
bool rich_edit_open_clipboard(HWND owner);
