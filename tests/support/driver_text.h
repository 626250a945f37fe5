// Text helpers of the UI driver: conversions, the one-line notation that
// steps accept and print, and its diagnostics.
#pragma once

#include <windows.h>

#include <string>

std::string utf8(const std::wstring& w);
// Prints "dialog_driver: LINE".
void say(const std::string& line);
// Shows text on one line, in the notation steps accept ("\n", "\\").
std::string shown(const std::wstring& w);
std::wstring unescape(const std::wstring& w);
std::wstring normalize_newlines(const std::wstring& w);

[[noreturn]] void usage(const std::string& why);
// A number in C notation (decimal, 0x hex); bad text is a usage error.
DWORD parse_number(const wchar_t* s, const char* what);
// "A,B" as two signed numbers; bad text is a usage error.
void parse_pair(const std::wstring& text, const char* what, long& a, long& b);

// The window's text through WM_GETTEXT (GetWindowText does not read the
// controls of another process), bounded so a hung program cannot hang us.
std::wstring text_of(HWND window);
std::wstring class_of(HWND window);
