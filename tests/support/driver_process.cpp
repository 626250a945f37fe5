#include "driver_process.h"

#include "driver_text.h"

namespace {

// Quotes one argument so that the child's CommandLineToArgvW or C runtime
// gives it back unchanged.
std::wstring quote_arg(const std::wstring& a) {
    if (!a.empty() && a.find_first_of(L" \t\n\v\"") == std::wstring::npos) return a;
    std::wstring q = L"\"";
    for (size_t i = 0;; ++i) {
        size_t slashes = 0;
        while (i < a.size() && a[i] == L'\\') {
            ++slashes;
            ++i;
        }
        if (i == a.size()) {
            q.append(slashes * 2, L'\\');
            break;
        }
        if (a[i] == L'"') {
            q.append(slashes * 2 + 1, L'\\');
        } else {
            q.append(slashes, L'\\');
        }
        q += a[i];
    }
    return q + L"\"";
}

}  // namespace

std::wstring program_path(const std::wstring& p) {
    if (p.empty() || p[0] != L'/') return p;
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto to_dos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (to_dos) {
        if (WCHAR* dos = to_dos(utf8(p).c_str())) {
            std::wstring r = dos;
            HeapFree(GetProcessHeap(), 0, dos);
            return r;
        }
    }
    std::wstring r = L"Z:" + p;
    for (auto& c : r)
        if (c == L'/') c = L'\\';
    return r;
}

bool Program::start(const std::vector<std::wstring>& command, const std::wstring& raw_args) {
    std::wstring cmdline;
    for (size_t i = 0; i < command.size(); ++i) {
        if (i) cmdline += L' ';
        cmdline += quote_arg(i == 0 ? program_path(command[0]) : command[i]);
    }
    if (!raw_args.empty()) cmdline += L' ' + raw_args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::vector<wchar_t> buf(cmdline.begin(), cmdline.end());
    buf.push_back(L'\0');
    if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &info_)) {
        say("cannot start " + utf8(cmdline) + " (error " + std::to_string(GetLastError()) + ")");
        return false;
    }
    CloseHandle(info_.hThread);
    return true;
}

DWORD Program::exit_code() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Program::kill() {
    if (exited()) return;
    say("killing the program");
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

DWORD Deadline::remaining() const {
    DWORD now = GetTickCount();
    return static_cast<LONG>(end_ - now) > 0 ? end_ - now : 0;
}

void Deadline::report(const std::string& while_doing) const {
    say("timed out after " + std::to_string(total_) + " ms " + while_doing);
}
