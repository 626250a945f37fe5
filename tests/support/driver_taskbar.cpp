// The system taskbar, which a program may hide while it is active.
//   --taskbar show|hide     set it up as a person's desktop has it
//   --expect-taskbar shown|hidden  it is so (waits for it)
//   --wait-exit             wait until the program has ended
#include "driver_steps.h"
#include "driver_text.h"

namespace {

HWND taskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

class TaskbarStep : public Step {
public:
    explicit TaskbarStep(bool show) : show_(show) {}
    bool run(Session&, size_t n) override {
        HWND t = taskbar();
        if (!t) {
            say("step " + std::to_string(n) + ": this desktop has no taskbar");
            return false;
        }
        ShowWindow(t, show_ ? SW_SHOWNOACTIVATE : SW_HIDE);
        say(show_ ? "taskbar shown" : "taskbar hidden");
        return true;
    }

private:
    bool show_;
};

class ExpectTaskbarStep : public Step {
public:
    explicit ExpectTaskbarStep(bool shown) : shown_(shown) {}
    bool run(Session& s, size_t n) override {
        HWND t = taskbar();
        DWORD until = GetTickCount() + 3000;
        while (t && (IsWindowVisible(t) != FALSE) != shown_ && static_cast<LONG>(until - GetTickCount()) > 0 &&
               s.deadline.remaining() > 0)
            Sleep(30);
        const bool visible = t && IsWindowVisible(t);
        say(std::string("step ") + std::to_string(n) + ": the taskbar is " + (visible ? "shown" : "hidden"));
        return visible == shown_;
    }

private:
    bool shown_;
};

class WaitExitStep : public Step {
public:
    bool run(Session& s, size_t) override {
        while (!s.program.exited()) {
            if (s.deadline.remaining() == 0) {
                s.deadline.report("waiting for the program to end");
                return false;
            }
            s.program.wait(50);
        }
        return true;
    }
};

bool shown_or_hidden(const std::wstring& value, const char* option, const wchar_t* yes, const wchar_t* no) {
    if (value == yes) return true;
    if (value != no) usage(std::string(option) + " needs " + utf8(yes) + " or " + utf8(no) + ", got " + utf8(value));
    return false;
}

}  // namespace

std::unique_ptr<Step> parse_taskbar_step(const std::wstring& value) {
    return std::make_unique<TaskbarStep>(shown_or_hidden(value, "--taskbar", L"show", L"hide"));
}

std::unique_ptr<Step> parse_expect_taskbar_step(const std::wstring& value) {
    return std::make_unique<ExpectTaskbarStep>(shown_or_hidden(value, "--expect-taskbar", L"shown", L"hidden"));
}

std::unique_ptr<Step> parse_wait_exit_step(const std::wstring&) { return std::make_unique<WaitExitStep>(); }
