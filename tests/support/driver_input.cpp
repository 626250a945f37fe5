// Mouse and keyboard input as the system delivers it: a button message goes
// to the window holding the capture, else to the deepest visible, enabled
// child under the point (in its own coordinates); a key goes to the window
// with the keyboard focus.
//   --left-click X,Y     press and release at client position X,Y
//   --double-click X,Y   two clicks, the second as a double click where the
//                        window's class takes them
//   --drag X1,Y1,X2,Y2   press at the first point, move halfway and to the
//                        second, release there
//   --press X,Y          the button goes down there and stays down
//   --move-to X,Y        the mouse moves there with the button down
//   --release X,Y        the button comes up there
//   --key KEY            a key down and up: a name (Esc, Enter, Tab, Bsp,
//                        Space, Left, Up, Right, Down, Del, Ins, Home, End,
//                        F1-F12) or one character; the step ends when the
//                        program has taken the key and its character
#include <cwchar>
#include <cwctype>

#include "driver_steps.h"
#include "driver_text.h"

namespace {

// How long the program may take to answer a press with the capture.
constexpr DWORD kCaptureWaitMs = 500;

GUITHREADINFO thread_info(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

// The window a button message at client point `at` of `top` reaches;
// `local` gets the point in that window's coordinates.
HWND mouse_target(HWND top, POINT at, POINT& local) {
    HWND target = thread_info(top).hwndCapture;
    if (!target) {
        target = top;
        POINT p = at;
        for (;;) {
            HWND child = ChildWindowFromPointEx(target, p, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
            if (!child || child == target) break;
            MapWindowPoints(target, child, &p, 1);
            target = child;
        }
    }
    local = at;
    MapWindowPoints(top, target, &local, 1);
    return target;
}

void post_mouse(HWND top, UINT message, WPARAM flags, POINT at) {
    POINT local;
    HWND target = mouse_target(top, at, local);
    PostMessageW(target, message, flags, MAKELPARAM(local.x, local.y));
}

bool window_ready(Session& s, size_t n) {
    if (s.window && IsWindow(s.window)) return true;
    say("step " + std::to_string(n) + ": no window (a --window step must come first, and the window must still exist)");
    return false;
}

std::string point_text(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// How long the program may take for one pass of its message loop.
constexpr DWORD kPassWaitMs = 2000;

// Lets the program take what was posted to it: a sent message is answered
// at the start of each pass of its loop, and each pass takes at most one
// posted message, so `passes` answers mean that many passes have begun.
// Peeks inside handlers answer too without taking anything: hence the
// generous counts below.
void let_program_take(HWND window, int passes) {
    for (int i = 0; i < passes; ++i) {
        DWORD_PTR ignored;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPassWaitMs, &ignored)) return;
    }
}

class ClickStep : public Step {
public:
    ClickStep(POINT at, bool twice) : at_(at), twice_(twice) {}
    bool run(Session& s, size_t n) override {
        if (!window_ready(s, n)) return false;
        say(std::string(twice_ ? "double-clicking" : "clicking") + " \"" + shown(s.window_title) + "\" at " +
            point_text(at_));
        post_mouse(s.window, WM_MOUSEMOVE, 0, at_);
        post_mouse(s.window, WM_LBUTTONDOWN, MK_LBUTTON, at_);
        post_mouse(s.window, WM_LBUTTONUP, 0, at_);
        if (twice_) {
            POINT local;
            HWND target = mouse_target(s.window, at_, local);
            const bool takes_double = (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS) != 0;
            post_mouse(s.window, takes_double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at_);
            post_mouse(s.window, WM_LBUTTONUP, 0, at_);
        }
        // A press takes the capture until its release is taken: the next
        // click's window is only known then.
        let_program_take(s.window, 12);
        return true;
    }

private:
    POINT at_;
    bool twice_;
};

class DragStep : public Step {
public:
    DragStep(POINT from, POINT to) : from_(from), to_(to) {}
    bool run(Session& s, size_t n) override {
        if (!window_ready(s, n)) return false;
        say("dragging in \"" + shown(s.window_title) + "\" from " + point_text(from_) + " to " + point_text(to_));
        post_mouse(s.window, WM_MOUSEMOVE, 0, from_);
        post_mouse(s.window, WM_LBUTTONDOWN, MK_LBUTTON, from_);
        // Moves after an accepted press go where the program put the capture.
        const DWORD until = GetTickCount() + kCaptureWaitMs;
        while (!thread_info(s.window).hwndCapture && static_cast<LONG>(until - GetTickCount()) > 0 &&
               !s.program.exited())
            Sleep(10);
        const POINT half = {(from_.x + to_.x) / 2, (from_.y + to_.y) / 2};
        post_mouse(s.window, WM_MOUSEMOVE, MK_LBUTTON, half);
        post_mouse(s.window, WM_MOUSEMOVE, MK_LBUTTON, to_);
        post_mouse(s.window, WM_LBUTTONUP, 0, to_);
        return true;
    }

private:
    POINT from_, to_;
};

// One part of a press held across other steps (a --sleep between them).
class ButtonStep : public Step {
public:
    ButtonStep(UINT message, POINT at) : message_(message), at_(at) {}
    bool run(Session& s, size_t n) override {
        if (!window_ready(s, n)) return false;
        const char* what = message_ == WM_LBUTTONDOWN ? "pressing" : message_ == WM_MOUSEMOVE ? "moving to" : "releasing";
        say(std::string(what) + " \"" + shown(s.window_title) + "\" at " + point_text(at_));
        if (message_ == WM_LBUTTONDOWN) post_mouse(s.window, WM_MOUSEMOVE, 0, at_);
        post_mouse(s.window, message_, message_ == WM_LBUTTONUP ? 0 : MK_LBUTTON, at_);
        if (message_ != WM_LBUTTONDOWN) return true;
        const DWORD until = GetTickCount() + kCaptureWaitMs;
        while (!thread_info(s.window).hwndCapture && static_cast<LONG>(until - GetTickCount()) > 0 &&
               !s.program.exited())
            Sleep(10);
        return true;
    }

private:
    UINT message_;
    POINT at_;
};

struct KeyName {
    const wchar_t* name;
    UINT key;
};
const KeyName kKeyNames[] = {
    {L"Esc", VK_ESCAPE}, {L"Enter", VK_RETURN}, {L"Tab", VK_TAB},    {L"Bsp", VK_BACK},   {L"Space", VK_SPACE},
    {L"Left", VK_LEFT},  {L"Up", VK_UP},        {L"Right", VK_RIGHT}, {L"Down", VK_DOWN}, {L"Del", VK_DELETE},
    {L"Ins", VK_INSERT}, {L"Home", VK_HOME},    {L"End", VK_END},
};

class KeyStep : public Step {
public:
    KeyStep(std::wstring name, UINT key) : name_(std::move(name)), key_(key) {}
    bool run(Session& s, size_t n) override {
        if (!window_ready(s, n)) return false;
        // Keys go to the active window: should another program on the
        // display have taken that place, the window gets it back first.
        for (int tries = 0; GetForegroundWindow() != s.window && tries < 20; ++tries) {
            SetForegroundWindow(s.window);
            Sleep(50);
        }
        // The focus that earlier clicks and keys give must be in place.
        let_program_take(s.window, 12);
        GUITHREADINFO info = thread_info(s.window);
        HWND target = info.hwndFocus ? info.hwndFocus : s.window;
        say("key " + utf8(name_) + " to \"" + shown(s.window_title) + "\" (" + utf8(class_of(target)) + ")");
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key_, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, key_, scan | 1);
        PostMessageW(target, WM_KEYUP, key_, scan | 1 | 0xC0000000);
        // Key down, key up and the character it gives, before the next step.
        let_program_take(s.window, 12);
        return true;
    }

private:
    std::wstring name_;
    UINT key_;
};

POINT parse_point(const std::wstring& value, const char* what) {
    long x, y;
    parse_pair(value, what, x, y);
    return {x, y};
}

}  // namespace

std::unique_ptr<Step> parse_left_click_step(const std::wstring& value) {
    return std::make_unique<ClickStep>(parse_point(value, "--left-click"), false);
}

std::unique_ptr<Step> parse_double_click_step(const std::wstring& value) {
    return std::make_unique<ClickStep>(parse_point(value, "--double-click"), true);
}

std::unique_ptr<Step> parse_drag_step(const std::wstring& value) {
    size_t second = value.find(L',', value.find(L',') + 1);
    if (second == std::wstring::npos) usage("--drag needs X1,Y1,X2,Y2, got " + utf8(value));
    return std::make_unique<DragStep>(parse_point(value.substr(0, second), "--drag"),
                                      parse_point(value.substr(second + 1), "--drag"));
}

std::unique_ptr<Step> parse_press_step(const std::wstring& value) {
    return std::make_unique<ButtonStep>(WM_LBUTTONDOWN, parse_point(value, "--press"));
}

std::unique_ptr<Step> parse_move_to_step(const std::wstring& value) {
    return std::make_unique<ButtonStep>(WM_MOUSEMOVE, parse_point(value, "--move-to"));
}

std::unique_ptr<Step> parse_release_step(const std::wstring& value) {
    return std::make_unique<ButtonStep>(WM_LBUTTONUP, parse_point(value, "--release"));
}

std::unique_ptr<Step> parse_key_step(const std::wstring& value) {
    for (const KeyName& k : kKeyNames)
        if (value == k.name) return std::make_unique<KeyStep>(value, k.key);
    if (value.size() >= 2 && value[0] == L'F') {
        const DWORD number = parse_number(value.c_str() + 1, "--key F");
        if (number >= 1 && number <= 12) return std::make_unique<KeyStep>(value, VK_F1 + number - 1);
    }
    if (value.size() == 1) {
        const SHORT scan = VkKeyScanW(value[0]);
        if (scan != -1) return std::make_unique<KeyStep>(value, LOBYTE(scan));
    }
    usage("--key needs a key name or one character, got " + utf8(value));
}
