// --raise-hidden TITLE: puts the program's hidden top-level window titled
// TITLE at the top of the Z order, neither showing nor activating it, as any
// other program may; the steps after it still act on the window chosen
// before. For commands that look at the frontmost window, hidden ones too.
#include "driver_steps.h"
#include "driver_text.h"

namespace {

struct HiddenSearch {
    DWORD pid;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK match_hidden(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<HiddenSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != c->pid || IsWindowVisible(h) || text_of(h) != *c->title) return TRUE;
    c->found = h;
    return FALSE;
}

class RaiseHiddenStep : public Step {
public:
    explicit RaiseHiddenStep(std::wstring title) : title_(std::move(title)) {}
    bool run(Session& s, size_t n) override {
        HiddenSearch search{s.program.pid(), &title_, nullptr};
        EnumWindows(match_hidden, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            say("step " + std::to_string(n) + ": no hidden window \"" + shown(title_) + "\"");
            return false;
        }
        SetWindowPos(search.found, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        say("hidden \"" + shown(title_) + "\" raised to the top");
        return true;
    }

private:
    std::wstring title_;
};

}  // namespace

std::unique_ptr<Step> parse_raise_hidden_step(const std::wstring& value) {
    return std::make_unique<RaiseHiddenStep>(value);
}
