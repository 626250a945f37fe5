// dialog_driver: starts a program and answers its message boxes from
// outside, the way a person at the screen would.
//
//   dialog_driver [--timeout MS] [--expect-exit N]
//                 [--box TITLE|TEXT|BUTTON | --file-dialog PATH]...
//                 [--no-box] [--raw-args TEXT] -- PROGRAM.exe [ARGS...]
//
// Each --box waits for the next dialog of the started process, checks its
// title and text (an empty field is not checked; in TEXT "\n" stands for a
// line break and "\\" for a backslash), then presses BUTTON (OK, Cancel,
// Abort, Retry, Ignore, Yes, No, Close, Help, TryAgain, Continue). A dialog
// appearing once all --box entries are used up is an error; --no-box just
// says that none is expected. Then the exit code must equal --expect-exit
// (default 0). Exits 0 when everything matched, 1 otherwise, 2 on bad usage.
// --timeout (default 60000 ms) bounds the whole run. --raw-args appends TEXT
// to the program's command line exactly as given, for programs that split
// their command line themselves.
//
// --file-dialog PATH is a step like --box: it takes the next dialog as an
// open or save dialog, types PATH (a Unix path is turned into its DOS name)
// into its file name field and presses its default button.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct BoxStep {
    std::wstring title;
    std::wstring text;
    std::wstring button;
    std::wstring file_path;  // set for a --file-dialog step
};

struct Options {
    DWORD timeout_ms = 60000;
    DWORD expect_exit = 0;
    std::wstring raw_args;
    std::vector<BoxStep> boxes;
    std::vector<std::wstring> command;  // program, then its arguments
};

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

// Shows text on one line, in the notation --box accepts.
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

struct ButtonName {
    const wchar_t* name;
    int id;
};
const ButtonName kButtons[] = {
    {L"OK", IDOK},       {L"Cancel", IDCANCEL}, {L"Abort", IDABORT},       {L"Retry", IDRETRY},
    {L"Ignore", IDIGNORE}, {L"Yes", IDYES},     {L"No", IDNO},             {L"Close", IDCLOSE},
    {L"Help", IDHELP},   {L"TryAgain", IDTRYAGAIN}, {L"Continue", IDCONTINUE},
};

int button_id(const std::wstring& name) {
    for (const auto& b : kButtons)
        if (_wcsicmp(b.name, name.c_str()) == 0) return b.id;
    return 0;
}

[[noreturn]] void usage(const std::string& why) {
    std::fprintf(stderr,
                 "dialog_driver: %s\n"
                 "usage: dialog_driver [--timeout MS] [--expect-exit N]"
                 " [--box TITLE|TEXT|BUTTON | --file-dialog PATH]... [--no-box] [--raw-args TEXT]"
                 " -- PROGRAM.exe [ARGS...]\n",
                 why.c_str());
    std::exit(2);
}

DWORD parse_number(const wchar_t* s, const char* what) {
    wchar_t* end = nullptr;
    // Base 0: exit codes such as 0xC0000005 read naturally in hex.
    long long v = std::wcstoll(s, &end, 0);
    if (end == s || *end != L'\0') usage(std::string("bad number for ") + what + ": " + utf8(s));
    return static_cast<DWORD>(v);
}

Options parse(int argc, wchar_t** argv) {
    Options o;
    bool no_box = false;
    int i = 1;
    for (; i < argc; ++i) {
        std::wstring a = argv[i];
        auto value = [&]() -> const wchar_t* {
            if (i + 1 >= argc) usage("missing value after " + utf8(a));
            return argv[++i];
        };
        if (a == L"--") {
            ++i;
            break;
        } else if (a == L"--timeout") {
            o.timeout_ms = parse_number(value(), "--timeout");
        } else if (a == L"--expect-exit") {
            o.expect_exit = parse_number(value(), "--expect-exit");
        } else if (a == L"--raw-args") {
            o.raw_args = value();
        } else if (a == L"--no-box") {
            no_box = true;
        } else if (a == L"--file-dialog") {
            BoxStep b;
            b.file_path = value();
            o.boxes.push_back(b);
        } else if (a == L"--box") {
            // TITLE may not hold '|', TEXT may: split at the first and last.
            std::wstring v = value();
            size_t first = v.find(L'|'), last = v.rfind(L'|');
            if (first == std::wstring::npos || first == last) usage("--box needs TITLE|TEXT|BUTTON, got " + utf8(v));
            BoxStep b{v.substr(0, first), unescape(v.substr(first + 1, last - first - 1)), v.substr(last + 1), {}};
            if (button_id(b.button) == 0) usage("unknown button name: " + utf8(b.button));
            o.boxes.push_back(b);
        } else {
            usage("unknown option " + utf8(a));
        }
    }
    if (no_box && !o.boxes.empty()) usage("--no-box contradicts --box");
    for (; i < argc; ++i) o.command.push_back(argv[i]);
    if (o.command.empty()) usage("no program given after --");
    return o;
}

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

// ctest hands us Unix paths; under Wine they map to DOS names.
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

std::wstring class_of(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// WM_GETTEXT, because GetWindowText does not read controls of another
// process; with a timeout so a hung program cannot hang us.
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

struct ChildSearch {
    const wchar_t* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_child(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<ChildSearch*>(p);
    if (_wcsicmp(class_of(h).c_str(), c->cls) == 0) c->found.push_back(h);
    return TRUE;
}

std::vector<HWND> children_of_class(HWND dlg, const wchar_t* cls) {
    ChildSearch ctx{cls, {}};
    EnumChildWindows(dlg, collect_child, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::wstring box_text(HWND dlg) {
    // A message box keeps its text in the static control 0xFFFF.
    if (HWND t = GetDlgItem(dlg, 0xFFFF)) return normalize_newlines(text_of(t));
    std::wstring all;
    for (HWND s : children_of_class(dlg, L"Static")) {
        std::wstring t = text_of(s);
        if (t.empty()) continue;
        if (!all.empty()) all += L'\n';
        all += t;
    }
    return normalize_newlines(all);
}

std::string button_list(HWND dlg) {
    std::wstring names;
    for (HWND b : children_of_class(dlg, L"Button")) {
        std::wstring t;
        for (wchar_t c : text_of(b))
            if (c != L'&') t += c;
        if (!names.empty()) names += L", ";
        names += t;
    }
    return names.empty() ? "none" : utf8(names);
}

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK match_dialog(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<DialogSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != c->pid || !IsWindowVisible(h) || class_of(h) != L"#32770") return TRUE;
    c->found = h;
    return FALSE;
}

// The first visible dialog window owned by the process, or null.
HWND find_dialog(DWORD pid) {
    DialogSearch ctx{pid, nullptr};
    EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::string describe(HWND dlg) {
    wchar_t title[512] = {};
    GetWindowTextW(dlg, title, 512);
    return shown(title) + "|" + shown(box_text(dlg));
}

class Driver {
public:
    explicit Driver(const Options& o) : opt_(o), deadline_(GetTickCount() + o.timeout_ms) {}

    int run() {
        if (!start()) return 1;
        for (size_t i = 0; i < opt_.boxes.size(); ++i)
            if (!answer(i + 1, opt_.boxes[i])) return fail();
        return finish();
    }

private:
    bool start() {
        std::wstring cmdline;
        for (size_t i = 0; i < opt_.command.size(); ++i) {
            if (i) cmdline += L' ';
            cmdline += quote_arg(i == 0 ? program_path(opt_.command[0]) : opt_.command[i]);
        }
        if (!opt_.raw_args.empty()) cmdline += L' ' + opt_.raw_args;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        std::vector<wchar_t> buf(cmdline.begin(), cmdline.end());
        buf.push_back(L'\0');
        if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi_)) {
            say("cannot start " + utf8(cmdline) + " (error " + std::to_string(GetLastError()) + ")");
            return false;
        }
        CloseHandle(pi_.hThread);
        return true;
    }

    DWORD remaining() const {
        DWORD now = GetTickCount();
        return static_cast<LONG>(deadline_ - now) > 0 ? deadline_ - now : 0;
    }

    bool exited() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }

    DWORD exit_code() const {
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

    void timed_out(const std::string& while_doing) {
        say("timed out after " + std::to_string(opt_.timeout_ms) + " ms " + while_doing);
    }

    // Waits for the next dialog of the program; null when the program
    // ended or the time ran out (already reported).
    HWND wait_dialog(size_t n, const BoxStep& step) {
        const std::string expected = shown(step.title) + "|" + shown(step.text) + "|" + utf8(step.button);
        for (;;) {
            if (HWND d = find_dialog(pi_.dwProcessId)) return d;
            if (exited()) {
                say("program exited with code " + std::to_string(exit_code()) + " while waiting for box " +
                    std::to_string(n) + " (" + expected + ")");
                return nullptr;
            }
            if (remaining() == 0) {
                timed_out("waiting for box " + std::to_string(n) + " (" + expected + ")");
                return nullptr;
            }
            WaitForSingleObject(pi_.hProcess, 50);
        }
    }

    bool answer(size_t n, const BoxStep& step) {
        HWND dlg = wait_dialog(n, step);
        if (!dlg) return false;
        if (!step.file_path.empty()) return fill_file_dialog(n, dlg, program_path(step.file_path));
        // Its controls may still be on their way in; give them a moment.
        Sleep(100);
        wchar_t title_buf[512] = {};
        GetWindowTextW(dlg, title_buf, 512);
        const std::wstring title = title_buf, text = box_text(dlg);
        say("box " + std::to_string(n) + ": " + shown(title) + "|" + shown(text));
        bool ok = true;
        if (!step.title.empty() && step.title != title) {
            say("title differs: expected \"" + shown(step.title) + "\", saw \"" + shown(title) + "\"");
            ok = false;
        }
        if (!step.text.empty() && step.text != text) {
            say("text differs: expected \"" + shown(step.text) + "\", saw \"" + shown(text) + "\"");
            ok = false;
        }
        if (!ok) return false;

        const int id = button_id(step.button);
        HWND btn = GetDlgItem(dlg, id);
        if (!btn) {
            say("box " + std::to_string(n) + " has no " + utf8(step.button) + " button; it has: " + button_list(dlg));
            return false;
        }
        say("pressing " + utf8(step.button));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(btn, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        // A click can be lost on a window that is not active; the command
        // the button would send does the same.
        if (!wait_gone(dlg, 1000))
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(btn));
        if (!wait_gone(dlg, remaining())) {
            timed_out("waiting for box " + std::to_string(n) + " to close");
            return false;
        }
        return true;
    }

    // The file name field of an open or save dialog: the edit inside the
    // combo box cmb13 of the newer layout, or the edit edt1 of the older.
    static HWND file_name_field(HWND dlg) {
        if (HWND combo = GetDlgItem(dlg, 0x47C)) {
            HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
            return edit ? edit : combo;
        }
        return GetDlgItem(dlg, 0x480);
    }

    bool fill_file_dialog(size_t n, HWND dlg, const std::wstring& path) {
        // The dialog fills its folder view after it shows.
        Sleep(500);
        HWND field = file_name_field(dlg);
        if (!field) {
            say("dialog " + std::to_string(n) + " has no file name field: " + describe(dlg));
            return false;
        }
        say("dialog " + std::to_string(n) + ": typing " + shown(path));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 2000,
                            &ignored);
        HWND ok = GetDlgItem(dlg, IDOK);
        SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        if (!wait_gone(dlg, 1000))
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        if (!wait_gone(dlg, remaining())) {
            timed_out("waiting for dialog " + std::to_string(n) + " to close");
            return false;
        }
        return true;
    }

    bool wait_gone(HWND dlg, DWORD ms) {
        DWORD until = GetTickCount() + ms;
        for (;;) {
            if (!IsWindow(dlg) || !IsWindowVisible(dlg)) return true;
            if (exited()) return true;
            if (static_cast<LONG>(until - GetTickCount()) <= 0) return false;
            Sleep(20);
        }
    }

    int finish() {
        for (;;) {
            if (exited()) break;
            if (HWND d = find_dialog(pi_.dwProcessId)) {
                Sleep(100);
                say("unexpected box: " + describe(d));
                return fail();
            }
            if (remaining() == 0) {
                timed_out("waiting for the program to exit");
                return fail();
            }
            WaitForSingleObject(pi_.hProcess, 50);
        }
        const DWORD code = exit_code();
        if (code != opt_.expect_exit) {
            say("exit code " + std::to_string(code) + ", expected " + std::to_string(opt_.expect_exit));
            return 1;
        }
        say("exit code " + std::to_string(code) + " as expected");
        return 0;
    }

    int fail() {
        if (!exited()) {
            say("killing the program");
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        return 1;
    }

    const Options& opt_;
    DWORD deadline_;
    PROCESS_INFORMATION pi_{};
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain \n on a Unix pipe, not the C runtime's \r\n.
    _setmode(_fileno(stdout), _O_BINARY);
    const Options opt = parse(argc, argv);
    return Driver(opt).run();
}
