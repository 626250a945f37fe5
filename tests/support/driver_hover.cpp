// Resting the pointer on a window and reading the help it brings up.
//   --hover X,Y        the pointer moves to client position X,Y of the
//                      window of the last --window step and rests there
//   --tooltip TEXT     a tooltip of the program shows TEXT (waits for it)
#include "driver_steps.h"
#include "driver_text.h"

namespace {

// Long enough for the initial delay of a tooltip and its reshow.
constexpr DWORD kTooltipWaitMs = 4000;

class HoverStep : public Step {
public:
    explicit HoverStep(POINT at) : at_(at) {}
    bool run(Session& s, size_t n) override {
        if (!s.window || !IsWindow(s.window)) {
            say("step " + std::to_string(n) + ": no window for --hover");
            return false;
        }
        POINT screen = at_;
        ClientToScreen(s.window, &screen);
        say("resting the pointer on \"" + shown(s.window_title) + "\" at " + std::to_string(at_.x) + "," +
            std::to_string(at_.y));
        // Two steps, so the window sees the pointer arrive and then move.
        SetCursorPos(screen.x - 1, screen.y - 1);
        Sleep(50);
        SetCursorPos(screen.x, screen.y);
        return true;
    }

private:
    POINT at_;
};

struct TooltipSearch {
    DWORD pid;
    std::wstring shown_texts;
    std::wstring wanted;
    bool found;
};

BOOL CALLBACK match_tooltip(HWND h, LPARAM p) {
    auto* t = reinterpret_cast<TooltipSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != t->pid || !IsWindowVisible(h) || lstrcmpiW(class_of(h).c_str(), L"tooltips_class32") != 0) return TRUE;
    std::wstring text = text_of(h);
    t->shown_texts += L"\"" + text + L"\" ";
    if (text != t->wanted) return TRUE;
    t->found = true;
    return FALSE;
}

class TooltipStep : public Step {
public:
    explicit TooltipStep(std::wstring text) : text_(std::move(text)) {}
    bool run(Session& s, size_t n) override {
        say("waiting for the tooltip \"" + shown(text_) + "\"");
        const DWORD start = GetTickCount();
        TooltipSearch search{};
        do {
            search = {s.program.pid(), L"", text_, false};
            EnumWindows(match_tooltip, reinterpret_cast<LPARAM>(&search));
            if (search.found) return true;
            Sleep(50);
        } while (GetTickCount() - start < kTooltipWaitMs && !s.program.exited());
        say("step " + std::to_string(n) + ": no tooltip shows \"" + shown(text_) + "\"; visible ones: " +
            (search.shown_texts.empty() ? std::string("none") : shown(search.shown_texts)));
        return false;
    }

private:
    std::wstring text_;
};

}  // namespace

std::unique_ptr<Step> parse_hover_step(const std::wstring& value) {
    long x, y;
    parse_pair(value, "--hover", x, y);
    return std::make_unique<HoverStep>(POINT{x, y});
}

std::unique_ptr<Step> parse_tooltip_step(const std::wstring& value) { return std::make_unique<TooltipStep>(unescape(value)); }
