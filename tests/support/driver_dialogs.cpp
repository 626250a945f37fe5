// --box TITLE|TEXT|BUTTON: the next dialog of the program must show TITLE and
// TEXT (an empty field is not checked; a TEXT ending in "*" only has to
// begin the dialog's text, for texts that end in a run-time value); BUTTON
// is pressed.
#include <cwchar>
#include <vector>

#include "driver_steps.h"
#include "driver_text.h"

namespace {

// How long a box's text may take to appear.
constexpr DWORD kTextWaitMs = 3000;

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

class BoxStep : public Step {
public:
    BoxStep(std::wstring title, std::wstring text, std::wstring button)
        : title_(std::move(title)), text_(std::move(text)), button_(std::move(button)) {}

    bool run(Session& s, size_t n) override {
        HWND dlg = wait_dialog(s, n);
        if (!dlg) return false;
        // Its controls may still be on their way in, slowly on a busy
        // machine: wait for a text (the expected one, when given).
        Sleep(100);
        std::wstring text = box_text(dlg);
        for (DWORD until = GetTickCount() + kTextWaitMs;
             (text.empty() || (!text_.empty() && !text_matches(text))) && static_cast<LONG>(until - GetTickCount()) > 0;
             text = box_text(dlg))
            Sleep(50);
        wchar_t title_buf[512] = {};
        GetWindowTextW(dlg, title_buf, 512);
        const std::wstring title = title_buf;
        say("box " + std::to_string(n) + ": " + shown(title) + "|" + shown(text));
        bool ok = true;
        if (!title_.empty() && title_ != title) {
            say("title differs: expected \"" + shown(title_) + "\", saw \"" + shown(title) + "\"");
            ok = false;
        }
        if (!text_.empty() && !text_matches(text)) {
            say("text differs: expected \"" + shown(text_) + "\", saw \"" + shown(text) + "\"");
            ok = false;
        }
        if (!ok) return false;

        const int id = button_id(button_);
        HWND btn = GetDlgItem(dlg, id);
        if (!btn) {
            say("box " + std::to_string(n) + " has no " + utf8(button_) + " button; it has: " + button_list(dlg));
            return false;
        }
        say("pressing " + utf8(button_));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(btn, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        // A click can be lost on a window that is not active; the command
        // the button would send does the same.
        if (!wait_gone(s.program, dlg, 1000))
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(btn));
        if (!wait_gone(s.program, dlg, s.deadline.remaining())) {
            s.deadline.report("waiting for box " + std::to_string(n) + " to close");
            return false;
        }
        return true;
    }

private:
    bool text_matches(const std::wstring& text) const {
        if (text_.back() != L'*') return text_ == text;
        return text.compare(0, text_.size() - 1, text_, 0, text_.size() - 1) == 0;
    }

    // Null when the program ended or the time ran out (already reported).
    HWND wait_dialog(Session& s, size_t n) const {
        const std::string expected = shown(title_) + "|" + shown(text_) + "|" + utf8(button_);
        for (;;) {
            if (HWND d = find_dialog(s.program.pid())) return d;
            if (s.program.exited()) {
                say("program exited with code " + std::to_string(s.program.exit_code()) + " while waiting for box " +
                    std::to_string(n) + " (" + expected + ")");
                return nullptr;
            }
            if (s.deadline.remaining() == 0) {
                s.deadline.report("waiting for box " + std::to_string(n) + " (" + expected + ")");
                return nullptr;
            }
            s.program.wait(50);
        }
    }

    std::wstring title_, text_, button_;
};

}  // namespace

HWND find_dialog(DWORD pid) {
    DialogSearch ctx{pid, nullptr};
    EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::string describe_dialog(HWND dlg) {
    wchar_t title[512] = {};
    GetWindowTextW(dlg, title, 512);
    return shown(title) + "|" + shown(box_text(dlg));
}

bool wait_gone(const Program& program, HWND window, DWORD ms) {
    DWORD until = GetTickCount() + ms;
    for (;;) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        if (program.exited()) return true;
        if (static_cast<LONG>(until - GetTickCount()) <= 0) return false;
        Sleep(20);
    }
}

std::unique_ptr<Step> parse_box_step(const std::wstring& v) {
    // TITLE may not hold '|', TEXT may: split at the first and last.
    size_t first = v.find(L'|'), last = v.rfind(L'|');
    if (first == std::wstring::npos || first == last) usage("--box needs TITLE|TEXT|BUTTON, got " + utf8(v));
    std::wstring button = v.substr(last + 1);
    if (button_id(button) == 0) usage("unknown button name: " + utf8(button));
    return std::make_unique<BoxStep>(v.substr(0, first), unescape(v.substr(first + 1, last - first - 1)), button);
}
