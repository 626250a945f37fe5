// --folder-browser START|PATH|BUTTON: the next dialog is the shell's folder
// browser. Its status line must show START (empty: not checked), then PATH
// (a Unix path becomes its DOS name; empty: keep the selection) is selected
// through the browser's own selection message and BUTTON (OK or Cancel)
// is pressed.
#include <shlobj.h>

#include "driver_steps.h"
#include "driver_text.h"

namespace {

constexpr int kTreeId = 0x3741;
constexpr int kStatusId = 0x3743;

HWND status_line(HWND dlg) { return GetDlgItem(dlg, kStatusId); }

bool is_folder_browser(HWND dlg) {
    return GetDlgItem(dlg, kTreeId) || FindWindowExW(dlg, nullptr, L"SysTreeView32", nullptr);
}

// The path string must live in the browser's process for its selection message.
bool select_in_browser(HWND dlg, DWORD pid, const std::wstring& path) {
    std::string ansi(path.size() * 2 + 1, '\0');
    int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &ansi[0], static_cast<int>(ansi.size()), nullptr, nullptr);
    if (n <= 0) return false;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, static_cast<SIZE_T>(n), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool sent = remote && WriteProcessMemory(process, remote, ansi.data(), static_cast<SIZE_T>(n), nullptr);
    DWORD_PTR ignored = 0;
    if (sent) {
        sent = SendMessageTimeoutW(dlg, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                   5000, &ignored) != 0;
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return sent;
}

class FolderBrowserStep : public Step {
public:
    FolderBrowserStep(std::wstring start, std::wstring path, std::wstring button)
        : start_(std::move(start)), path_(std::move(path)), button_(std::move(button)) {}

    bool run(Session& s, size_t n) override {
        const std::string which = "folder browser " + std::to_string(n);
        HWND dlg = wait_browser(s, which);
        if (!dlg) return false;
        HWND status = status_line(dlg);
        if (!status) {
            say(which + " has no status line: " + describe_dialog(dlg));
            return false;
        }
        if (!start_.empty() && !wait_status(s, status, program_path(start_), which + " opening")) return false;
        if (!path_.empty()) {
            const std::wstring path = program_path(path_);
            say(which + ": selecting " + shown(path));
            if (!select_in_browser(dlg, s.program.pid(), path)) {
                say(which + ": the selection message could not be sent");
                return false;
            }
            if (!wait_status(s, status, path, which + " after selecting")) return false;
        }
        const int id = _wcsicmp(button_.c_str(), L"Cancel") == 0 ? IDCANCEL : IDOK;
        say(which + ": pressing " + shown(button_));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(GetDlgItem(dlg, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        if (!wait_gone(s.program, dlg, 1000)) {
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
        }
        if (!wait_gone(s.program, dlg, s.deadline.remaining())) {
            s.deadline.report("waiting for " + which + " to close");
            return false;
        }
        return true;
    }

private:
    HWND wait_browser(Session& s, const std::string& which) const {
        for (;;) {
            HWND d = find_dialog(s.program.pid());
            if (d && is_folder_browser(d)) return d;
            if (d && !is_folder_browser(d)) {
                say(which + ": another dialog came: " + describe_dialog(d));
                return nullptr;
            }
            if (s.program.exited()) {
                say("program exited with code " + std::to_string(s.program.exit_code()) + " while waiting for " +
                    which);
                return nullptr;
            }
            if (s.deadline.remaining() == 0) {
                s.deadline.report("waiting for " + which);
                return nullptr;
            }
            s.program.wait(50);
        }
    }

    // The browser fills its status line from its selection callback.
    static bool wait_status(Session& s, HWND status, const std::wstring& expected, const std::string& when) {
        DWORD until = GetTickCount() + 20000;
        std::wstring seen;
        for (;;) {
            seen = text_of(status);
            if (_wcsicmp(seen.c_str(), expected.c_str()) == 0) return true;
            if (static_cast<LONG>(until - GetTickCount()) <= 0 || s.deadline.remaining() == 0) break;
            Sleep(50);
        }
        say(when + ": status line differs: expected " + shown(expected) + ", saw " + shown(seen));
        return false;
    }

    std::wstring start_, path_, button_;
};

}  // namespace

std::unique_ptr<Step> parse_folder_browser_step(const std::wstring& value) {
    size_t first = value.find(L'|');
    size_t second = first == std::wstring::npos ? first : value.find(L'|', first + 1);
    if (second == std::wstring::npos) usage("--folder-browser wants START|PATH|BUTTON");
    std::wstring button = value.substr(second + 1);
    if (_wcsicmp(button.c_str(), L"OK") != 0 && _wcsicmp(button.c_str(), L"Cancel") != 0) {
        usage("--folder-browser presses OK or Cancel");
    }
    return std::make_unique<FolderBrowserStep>(value.substr(0, first), value.substr(first + 1, second - first - 1),
                                               button);
}
