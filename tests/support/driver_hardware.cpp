// Steps with the mouse itself, as a person moves it: the system decides
// which window a press reaches and whether it activates it, and a press on
// a border starts the system's own sizing.
//   --document TITLE     wait for a visible document window (a child window
//                        with a caption, as in a multiple-document frame)
//                        titled TITLE; the steps after it act on it
//   --mouse-click X,Y    the pointer moves to client position X,Y of the
//                        chosen window and clicks there
//   --edge-drag EDGE,DX,DY  the pointer takes the window's EDGE (left, right,
//                        top, bottom, bottomright) and drags it by DX,DY
//   --client-size W,H    the window's client area is W x H (waits for it)
//   --covers-screen      the window covers its screen, border to border
#include <cwchar>

#include "driver_settle.h"
#include "driver_steps.h"
#include "driver_text.h"

namespace {

struct DocumentSearch {
    DWORD pid;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK match_document(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<DocumentSearch*>(p);
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    if (!IsWindowVisible(h) || !(style & WS_CHILD) || (style & WS_CAPTION) != WS_CAPTION) return TRUE;
    if (caption_of(h) != *c->title) return TRUE;
    c->found = h;
    return FALSE;
}

BOOL CALLBACK search_top_level(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<DocumentSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == c->pid && IsWindowVisible(h)) EnumChildWindows(h, match_document, p);
    return c->found ? FALSE : TRUE;
}

bool chosen(Session& s, size_t n) {
    if (s.window && IsWindow(s.window)) return true;
    say("step " + std::to_string(n) + ": no window (a --window or --document step must come first)");
    return false;
}

// A press or release at a screen point. The position travels with the
// button, so a pointer move of an earlier glide that the system takes late
// cannot put the press elsewhere.
void mouse_button(DWORD flags, POINT at) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The pointer moves as a person's does: in small steps, with time between.
void glide(POINT from, POINT to) {
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        SetCursorPos(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
        Sleep(40);
    }
}

class DocumentStep : public Step {
public:
    explicit DocumentStep(std::wstring title) : title_(std::move(title)) {}
    bool run(Session& s, size_t n) override {
        for (;;) {
            DocumentSearch search{s.program.pid(), &title_, nullptr};
            EnumWindows(search_top_level, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                s.window = search.found;
                s.window_title = title_;
                say("document " + std::to_string(n) + ": " + shown(title_));
                return true;
            }
            if (s.program.exited() || s.deadline.remaining() == 0) {
                say("no document window \"" + shown(title_) + "\" appeared");
                return false;
            }
            s.program.wait(50);
        }
    }

private:
    std::wstring title_;
};

class MouseClickStep : public Step {
public:
    explicit MouseClickStep(POINT at) : at_(at) {}
    bool run(Session& s, size_t n) override {
        if (!chosen(s, n)) return false;
        POINT screen = at_;
        ClientToScreen(s.window, &screen);
        say("the mouse clicks \"" + shown(s.window_title) + "\" at " + std::to_string(at_.x) + "," + std::to_string(at_.y));
        SetCursorPos(screen.x, screen.y);
        Sleep(100);
        mouse_button(MOUSEEVENTF_LEFTDOWN, screen);
        Sleep(50);
        mouse_button(MOUSEEVENTF_LEFTUP, screen);
        Sleep(200);
        return true;
    }

private:
    POINT at_;
};

class EdgeDragStep : public Step {
public:
    EdgeDragStep(std::wstring edge, long dx, long dy) : edge_(std::move(edge)), dx_(dx), dy_(dy) {}
    bool run(Session& s, size_t n) override {
        if (!chosen(s, n)) return false;
        RECT r;
        GetWindowRect(s.window, &r);
        // Just inside the border, halfway along it (the corner for bottomright).
        POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        if (edge_ == L"left") at.x = r.left + 1;
        else if (edge_ == L"right") at.x = r.right - 2;
        else if (edge_ == L"top") at.y = r.top + 1;
        else if (edge_ == L"bottom") at.y = r.bottom - 2;
        else at = {r.right - 2, r.bottom - 2};
        say("dragging the " + utf8(edge_) + " edge of \"" + shown(s.window_title) + "\" by " + std::to_string(dx_) + "," +
            std::to_string(dy_));
        SetCursorPos(at.x, at.y);
        Sleep(150);
        mouse_button(MOUSEEVENTF_LEFTDOWN, at);
        Sleep(150);
        const POINT to = {at.x + dx_, at.y + dy_};
        glide(at, to);
        // The system's sizing takes the last move before the release.
        Sleep(300);
        mouse_button(MOUSEEVENTF_LEFTUP, to);
        Sleep(200);
        return true;
    }

private:
    std::wstring edge_;
    long dx_, dy_;
};

class ClientSizeStep : public Step {
public:
    ClientSizeStep(long width, long height) : width_(width), height_(height) {}
    bool run(Session& s, size_t n) override {
        if (!chosen(s, n)) return false;
        RECT now = {};
        if (settle(s, [&] {
                GetClientRect(s.window, &now);
                return now.right == width_ && now.bottom == height_;
            })) {
            say("\"" + shown(s.window_title) + "\" has a " + std::to_string(width_) + " x " + std::to_string(height_) +
                " client area");
            return true;
        }
        say("client area of \"" + shown(s.window_title) + "\" is " + std::to_string(now.right) + " x " +
            std::to_string(now.bottom) + ", not " + std::to_string(width_) + " x " + std::to_string(height_));
        return false;
    }

private:
    long width_, height_;
};

class CoversScreenStep : public Step {
public:
    bool run(Session& s, size_t n) override {
        if (!chosen(s, n)) return false;
        RECT now = {}, screen = {};
        if (settle(s, [&] {
                MONITORINFO info = {};
                info.cbSize = sizeof info;
                GetMonitorInfoW(MonitorFromWindow(s.window, MONITOR_DEFAULTTONEAREST), &info);
                screen = info.rcMonitor;
                GetWindowRect(s.window, &now);
                return EqualRect(&now, &screen) != FALSE;
            })) {
            say("\"" + shown(s.window_title) + "\" covers its screen");
            return true;
        }
        auto text = [](const RECT& r) {
            return std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
                   std::to_string(r.bottom);
        };
        say("\"" + shown(s.window_title) + "\" lies at " + text(now) + ", its screen at " + text(screen));
        return false;
    }
};

}  // namespace

std::unique_ptr<Step> parse_covers_screen_step(const std::wstring&) { return std::make_unique<CoversScreenStep>(); }

std::unique_ptr<Step> parse_document_step(const std::wstring& value) { return std::make_unique<DocumentStep>(value); }

std::unique_ptr<Step> parse_mouse_click_step(const std::wstring& value) {
    long x, y;
    parse_pair(value, "--mouse-click", x, y);
    return std::make_unique<MouseClickStep>(POINT{x, y});
}

std::unique_ptr<Step> parse_edge_drag_step(const std::wstring& value) {
    const size_t comma = value.find(L',');
    const std::wstring edge = value.substr(0, comma);
    if (comma == std::wstring::npos ||
        (edge != L"left" && edge != L"right" && edge != L"top" && edge != L"bottom" && edge != L"bottomright"))
        usage("--edge-drag needs EDGE,DX,DY with EDGE left, right, top, bottom or bottomright, got " + utf8(value));
    // Distances may be negative: an edge dragged inwards.
    const wchar_t* rest = value.c_str() + comma + 1;
    wchar_t* end = nullptr;
    const long dx = std::wcstol(rest, &end, 10);
    if (end == rest || *end != L',') usage("--edge-drag needs EDGE,DX,DY, got " + utf8(value));
    rest = end + 1;
    const long dy = std::wcstol(rest, &end, 10);
    if (end == rest || *end) usage("--edge-drag needs EDGE,DX,DY, got " + utf8(value));
    return std::make_unique<EdgeDragStep>(edge, dx, dy);
}

std::unique_ptr<Step> parse_client_size_step(const std::wstring& value) {
    long w, h;
    parse_pair(value, "--client-size", w, h);
    return std::make_unique<ClientSizeStep>(w, h);
}
