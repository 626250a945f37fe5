#include "driver_text.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

void say(const std::string& line) {
    std::fputs(("dialog_driver: " + line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string shown(const std::wstring& w) {
    std::wstring out;
    for (wchar_t c : w) {
        if (c == L'\n') out += L"\\n";
        else if (c == L'\\') out += L"\\\\";
        else out += c;
    }
    return utf8(out);
}

std::wstring unescape(const std::wstring& w) {
    std::wstring out;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] == L'\\' && i + 1 < w.size() && (w[i + 1] == L'n' || w[i + 1] == L'\\')) {
            out += w[i + 1] == L'n' ? L'\n' : L'\\';
            ++i;
        } else {
            out += w[i];
        }
    }
    return out;
}

std::wstring normalize_newlines(const std::wstring& w) {
    std::wstring out;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] == L'\r' && i + 1 < w.size() && w[i + 1] == L'\n') continue;
        out += w[i];
    }
    return out;
}

DWORD parse_number(const wchar_t* s, const char* what) {
    wchar_t* end = nullptr;
    // Base 0: exit codes such as 0xC0000005 read naturally in hex.
    long long v = std::wcstoll(s, &end, 0);
    if (end == s || *end != L'\0') usage(std::string("bad number for ") + what + ": " + utf8(s));
    return static_cast<DWORD>(v);
}

void parse_pair(const std::wstring& text, const char* what, long& a, long& b) {
    size_t comma = text.find(L',');
    if (comma == std::wstring::npos) usage(std::string(what) + " needs A,B, got " + utf8(text));
    std::wstring first = text.substr(0, comma), second = text.substr(comma + 1);
    a = static_cast<long>(parse_number(first.c_str(), what));
    b = static_cast<long>(parse_number(second.c_str(), what));
}

std::wstring text_of(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return {};
    std::vector<wchar_t> buf(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 2000,
                             &got))
        return {};
    return std::wstring(buf.data(), got);
}

std::wstring class_of(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}
