// Steps on the program's own windows, done from outside as a person would.
//   --window TITLE    wait for a visible top-level window titled TITLE; the
//                     steps after it act on that window
//   --close           the close box (the system menu's Close command)
//   --wait-gone       wait until that window is hidden or destroyed
//   --resize W,H      size it so that its client area is W x H pixels
//   --move X,Y        move its top-left corner to screen position X,Y
//   --child-text CLASS|TEXT  one of its visible children of window class
//                     CLASS shows TEXT (waits for it)
//   --front           it is the program's frontmost top-level window
//   --click X,Y       a left click posted at client position X,Y
//   --sleep MS        let the program run for MS milliseconds
#include <cwchar>

#include "driver_settle.h"
#include "driver_steps.h"
#include "driver_text.h"

namespace {

struct WindowSearch {
    DWORD pid;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK match_window(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<WindowSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != c->pid || !IsWindowVisible(h) || class_of(h) == L"#32770") return TRUE;
    if (c->title && caption_of(h) != *c->title) return TRUE;
    c->found = h;
    return FALSE;
}

// Visible top-level windows come in Z order, front first.
HWND find_window(DWORD pid, const std::wstring* title) {
    WindowSearch ctx{pid, title, nullptr};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

bool has_window(Session& s, size_t n) {
    if (s.window && IsWindow(s.window)) return true;
    say("step " + std::to_string(n) + ": no window (a --window step must come first, and the window must still exist)");
    return false;
}

class WindowStep : public Step {
public:
    explicit WindowStep(std::wstring title) : title_(std::move(title)) {}
    bool run(Session& s, size_t n) override {
        for (;;) {
            if (HWND w = find_window(s.program.pid(), &title_)) {
                s.window = w;
                s.window_title = title_;
                say("window " + std::to_string(n) + ": " + shown(title_));
                return true;
            }
            if (s.program.exited()) {
                say("program exited with code " + std::to_string(s.program.exit_code()) + " while waiting for window \"" +
                    shown(title_) + "\"");
                return false;
            }
            if (s.deadline.remaining() == 0) {
                s.deadline.report("waiting for window \"" + shown(title_) + "\"");
                return false;
            }
            if (HWND d = find_dialog(s.program.pid())) {
                say("unexpected box while waiting for window \"" + shown(title_) + "\": " + describe_dialog(d));
                return false;
            }
            s.program.wait(50);
        }
    }

private:
    std::wstring title_;
};

class CloseStep : public Step {
public:
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        say("closing \"" + shown(s.window_title) + "\"");
        PostMessageW(s.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
};

class WaitGoneStep : public Step {
public:
    bool run(Session& s, size_t n) override {
        if (!s.window) return has_window(s, n);
        if (wait_gone(s.program, s.window, s.deadline.remaining())) return true;
        s.deadline.report("waiting for window \"" + shown(s.window_title) + "\" to go");
        return false;
    }
};

class ResizeStep : public Step {
public:
    ResizeStep(long width, long height) : width_(width), height_(height) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        RECT outer, client;
        GetWindowRect(s.window, &outer);
        GetClientRect(s.window, &client);
        const long width = width_ + (outer.right - outer.left) - client.right;
        const long height = height_ + (outer.bottom - outer.top) - client.bottom;
        say("sizing \"" + shown(s.window_title) + "\" to a " + std::to_string(width_) + " x " +
            std::to_string(height_) + " client area");
        // Posted: a handler of the program may show a box while it sizes.
        SetWindowPos(s.window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        return settle(s, [&] {
            RECT now;
            GetClientRect(s.window, &now);
            return now.right == width_ && now.bottom == height_;
        }) || report(s);
    }

private:
    bool report(Session& s) const {
        RECT now;
        GetClientRect(s.window, &now);
        say("client area is " + std::to_string(now.right) + " x " + std::to_string(now.bottom) + ", not " +
            std::to_string(width_) + " x " + std::to_string(height_));
        return false;
    }
    long width_, height_;
};

class MoveStep : public Step {
public:
    MoveStep(long x, long y) : x_(x), y_(y) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        say("moving \"" + shown(s.window_title) + "\" to " + std::to_string(x_) + "," + std::to_string(y_));
        SetWindowPos(s.window, nullptr, x_, y_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        return true;
    }

private:
    long x_, y_;
};

struct ChildTextSearch {
    const std::wstring* cls;
    const std::wstring* text;
    int enabled;  // -1: either
    std::wstring seen;
    bool found;
};

BOOL CALLBACK match_child_text(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<ChildTextSearch*>(p);
    if (!IsWindowVisible(h) || _wcsicmp(class_of(h).c_str(), c->cls->c_str()) != 0) return TRUE;
    std::wstring t = normalize_newlines(text_of(h));
    const bool enabled = IsWindowEnabled(h) != FALSE;
    if (t == *c->text && (c->enabled < 0 || enabled == (c->enabled == 1))) {
        c->found = true;
        return FALSE;
    }
    if (!c->seen.empty()) c->seen += L"\", \"";
    c->seen += t;
    if (c->enabled >= 0) c->seen += enabled ? L" (enabled)" : L" (disabled)";
    return TRUE;
}

class ChildTextStep : public Step {
public:
    ChildTextStep(std::wstring cls, std::wstring text, int enabled = -1)
        : cls_(std::move(cls)), text_(std::move(text)), enabled_(enabled) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        const std::string state = enabled_ < 0 ? "" : enabled_ ? " enabled" : " disabled";
        ChildTextSearch ctx{&cls_, &text_, enabled_, {}, false};
        if (settle(s, [&] {
                ctx = {&cls_, &text_, enabled_, {}, false};
                EnumChildWindows(s.window, match_child_text, reinterpret_cast<LPARAM>(&ctx));
                return ctx.found;
            })) {
            say("\"" + shown(s.window_title) + "\" shows " + utf8(cls_) + " \"" + shown(text_) + "\"" + state);
            return true;
        }
        say("no " + utf8(cls_) + " of \"" + shown(s.window_title) + "\" shows \"" + shown(text_) + "\"" + state +
            "; seen: \"" + shown(ctx.seen) + "\"");
        return false;
    }

private:
    std::wstring cls_, text_;
    int enabled_;
};

class FrontStep : public Step {
public:
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        HWND front = nullptr;
        if (settle(s, [&] { return (front = find_window(s.program.pid(), nullptr)) == s.window; })) {
            say("\"" + shown(s.window_title) + "\" is in front");
            return true;
        }
        say("\"" + shown(s.window_title) + "\" is not in front; \"" + shown(front ? caption_of(front) : L"") + "\" is");
        return false;
    }
};

class ClickStep : public Step {
public:
    ClickStep(long x, long y) : x_(x), y_(y) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        say("clicking \"" + shown(s.window_title) + "\" at " + std::to_string(x_) + "," + std::to_string(y_));
        const LPARAM at = MAKELPARAM(x_, y_);
        PostMessageW(s.window, WM_MOUSEMOVE, 0, at);
        PostMessageW(s.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(s.window, WM_LBUTTONUP, 0, at);
        return true;
    }

private:
    long x_, y_;
};

class SleepStep : public Step {
public:
    explicit SleepStep(DWORD ms) : ms_(ms) {}
    bool run(Session& s, size_t) override {
        s.program.wait(ms_);
        return true;
    }

private:
    DWORD ms_;
};

}  // namespace

std::unique_ptr<Step> parse_window_step(const std::wstring& value) { return std::make_unique<WindowStep>(value); }
std::unique_ptr<Step> parse_close_step(const std::wstring&) { return std::make_unique<CloseStep>(); }
std::unique_ptr<Step> parse_wait_gone_step(const std::wstring&) { return std::make_unique<WaitGoneStep>(); }
std::unique_ptr<Step> parse_front_step(const std::wstring&) { return std::make_unique<FrontStep>(); }

std::unique_ptr<Step> parse_resize_step(const std::wstring& value) {
    long w, h;
    parse_pair(value, "--resize", w, h);
    return std::make_unique<ResizeStep>(w, h);
}

std::unique_ptr<Step> parse_move_step(const std::wstring& value) {
    long x, y;
    parse_pair(value, "--move", x, y);
    return std::make_unique<MoveStep>(x, y);
}

std::unique_ptr<Step> parse_click_step(const std::wstring& value) {
    long x, y;
    parse_pair(value, "--click", x, y);
    return std::make_unique<ClickStep>(x, y);
}

std::unique_ptr<Step> parse_child_text_step(const std::wstring& value) {
    size_t bar = value.find(L'|');
    if (bar == std::wstring::npos) usage("--child-text needs CLASS|TEXT, got " + utf8(value));
    return std::make_unique<ChildTextStep>(value.substr(0, bar), unescape(value.substr(bar + 1)));
}

std::unique_ptr<Step> parse_child_state_step(const std::wstring& value) {
    const size_t first = value.find(L'|'), last = value.rfind(L'|');
    const std::wstring state = last == std::wstring::npos ? L"" : value.substr(last + 1);
    if (first == last || (state != L"enabled" && state != L"disabled"))
        usage("--child-state needs CLASS|TEXT|enabled or CLASS|TEXT|disabled, got " + utf8(value));
    return std::make_unique<ChildTextStep>(value.substr(0, first), unescape(value.substr(first + 1, last - first - 1)),
                                           state == L"enabled" ? 1 : 0);
}

std::unique_ptr<Step> parse_sleep_step(const std::wstring& value) {
    return std::make_unique<SleepStep>(parse_number(value.c_str(), "--sleep"));
}
