// The chosen window's menu bar, used as a person uses it from the keyboard,
// and what its open menu shows, read from the screen.
//   --menu N             open the N-th menu of the bar (Alt, Right, Down)
//   --menu-items PATTERN the open menu shows, top to bottom, one letter per
//                        item: E enabled, G grey, - a separator (waits for it)
//   --menu-choose K      choose the K-th item of the open menu (separators
//                        count): Down to it, then Enter; "last": Up, Enter
//   --menu-close         leave the menu with Escape
//   --menu-screenshot FILE.png  saves the window and its open menu
//   --shortcut KEYS      real key presses with modifiers held, as the menu
//                        texts spell them: "Ctrl+S", "Ctrl+Shft+S", "Alt+F4"
#include <algorithm>
#include <vector>

#include "driver_png.h"
#include "driver_steps.h"
#include "driver_text.h"

namespace {

constexpr DWORD kSettleMs = 3000;
// A menu of a thousand items takes a while to open on a busy machine.
constexpr DWORD kOpenMs = 10000;

struct PopupSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK match_popup(HWND h, LPARAM p) {
    auto* search = reinterpret_cast<PopupSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != search->pid || !IsWindowVisible(h) || class_of(h) != L"#32768") return TRUE;
    search->found = h;
    return FALSE;
}

// The program's open popup menu, or null.
HWND open_popup(const Program& program) {
    PopupSearch search{program.pid(), nullptr};
    EnumWindows(match_popup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool has_window(Session& s, size_t n) {
    if (s.window && IsWindow(s.window)) return true;
    say("step " + std::to_string(n) + ": no window (a --window step must come first, and the window must still exist)");
    return false;
}

void post_key(HWND window, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | 0xC0000000);
}

// Screen pixels of `area` as 0xRRGGBB, rows top to bottom.
std::vector<unsigned> grab(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* bgra = static_cast<const unsigned*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = bgra[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

unsigned system_colour(int index) {
    const COLORREF c = GetSysColor(index);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

unsigned luminance(unsigned rgb) { return ((rgb >> 16 & 0xFF) * 3 + (rgb >> 8 & 0xFF) * 6 + (rgb & 0xFF)) / 10; }

// One item as the eye finds it: a band of rows with ink on them.
struct Band {
    int top, bottom;  // popup coordinates, bottom exclusive
    char kind;        // 'E', 'G' or '-'
};

// Reads the open menu: rows whose pixels differ from the row's ground (the
// menu colour, or the highlight of the selected item) hold ink; runs of
// such rows are items. A thin run across the width is a separator; an item
// whose ink has no strong pixel (black, or white on the highlight) is grey.
std::vector<Band> read_popup(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    const std::vector<unsigned> pixels = grab(area);
    const unsigned menu = system_colour(COLOR_MENU), highlight = system_colour(COLOR_HIGHLIGHT);
    const int margin = 4;  // inside the frame
    std::vector<Band> bands;
    Band current = {0, 0, 0};
    bool in_band = false, strong = false;
    int widest = 0;
    auto close_band = [&](int y) {
        if (!in_band) return;
        current.bottom = y;
        const bool thin = current.bottom - current.top <= 3 && widest > (width - 2 * margin) * 6 / 10;
        current.kind = thin ? '-' : strong ? 'E' : 'G';
        bands.push_back(current);
        in_band = false;
    };
    for (int y = margin; y < height - margin; ++y) {
        const unsigned* row = &pixels[static_cast<size_t>(y) * width];
        const bool selected = row[margin] == highlight;
        const unsigned ground = selected ? highlight : menu;
        int ink = 0;
        bool row_strong = false;
        for (int x = margin; x < width - margin; ++x) {
            if (row[x] == ground) continue;
            ++ink;
            const unsigned l = luminance(row[x]);
            row_strong = row_strong || (selected ? l >= 0xE0 : l < 0x50);
        }
        if (!ink) {
            close_band(y);
            continue;
        }
        if (!in_band) {
            current = {y, y, 0};
            in_band = true;
            strong = false;
            widest = 0;
        }
        strong = strong || row_strong;
        widest = std::max(widest, ink);
    }
    close_band(height - margin);
    return bands;
}

std::string pattern_of(const std::vector<Band>& bands) {
    std::string out;
    for (const Band& b : bands) out += b.kind;
    return out;
}

// The popup's items once two readings a moment apart agree: a menu that
// just opened may still be drawing.
std::vector<Band> settled_bands(const Program& program, HWND popup) {
    std::string last = "?";
    const DWORD until = GetTickCount() + kSettleMs;
    for (;;) {
        std::vector<Band> bands = read_popup(popup);
        const std::string now = pattern_of(bands);
        if (!bands.empty() && now == last) return bands;
        if (program.exited() || !IsWindow(popup) || static_cast<LONG>(until - GetTickCount()) <= 0) return bands;
        last = now;
        Sleep(60);
    }
}

// Polls until the program's popup is open; null after kOpenMs.
HWND wait_popup(Session& s) {
    const DWORD until = GetTickCount() + kOpenMs;
    for (;;) {
        if (HWND popup = open_popup(s.program)) return popup;
        if (s.program.exited() || static_cast<LONG>(until - GetTickCount()) <= 0) return nullptr;
        Sleep(30);
    }
}

bool in_menu_mode(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return (info.flags & GUI_INMENUMODE) != 0;
}

class OpenMenuStep : public Step {
public:
    explicit OpenMenuStep(DWORD n) : n_(n) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        say("opening menu " + std::to_string(n_) + " of \"" + shown(s.window_title) + "\"");
        PostMessageW(s.window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        const DWORD until = GetTickCount() + kSettleMs;
        while (!in_menu_mode(s.window) && static_cast<LONG>(until - GetTickCount()) > 0 && !s.program.exited())
            Sleep(20);
        for (DWORD i = 1; i < n_; ++i) post_key(s.window, VK_RIGHT);
        post_key(s.window, VK_DOWN);
        if (wait_popup(s)) return true;
        say("step " + std::to_string(n) + ": no menu opened");
        return false;
    }

private:
    DWORD n_;
};

class MenuItemsStep : public Step {
public:
    explicit MenuItemsStep(std::string pattern) : pattern_(std::move(pattern)) {}
    bool run(Session& s, size_t n) override {
        std::string seen = "no open menu";
        const DWORD until = GetTickCount() + kSettleMs;
        for (;;) {
            if (HWND popup = open_popup(s.program)) {
                seen = pattern_of(read_popup(popup));
                if (seen == pattern_) {
                    say("the open menu shows " + seen);
                    return true;
                }
            }
            if (s.program.exited() || static_cast<LONG>(until - GetTickCount()) <= 0) break;
            Sleep(50);
        }
        say("step " + std::to_string(n) + ": the open menu shows " + seen + ", expected " + pattern_);
        return false;
    }

private:
    std::string pattern_;
};

class ChooseStep : public Step {
public:
    static constexpr DWORD kLast = 0;
    explicit ChooseStep(DWORD k) : k_(k) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        HWND popup = wait_popup(s);
        if (popup && k_ == kLast) {
            say("choosing the last item of the open menu");
            post_key(s.window, VK_UP);
            post_key(s.window, VK_RETURN);
            return wait_gone(s.program, popup, kSettleMs);
        }
        const std::vector<Band> bands = popup ? settled_bands(s.program, popup) : std::vector<Band>{};
        if (k_ < 1 || k_ > bands.size() || bands[k_ - 1].kind == '-') {
            say("step " + std::to_string(n) + ": the open menu (" + pattern_of(bands) + ") has no item " +
                std::to_string(k_) + " to choose");
            return false;
        }
        // The menu opened with its first item selected; Down passes over separators.
        int presses = -1;
        for (DWORD i = 0; i < k_; ++i) presses += bands[i].kind != '-';
        say("choosing item " + std::to_string(k_) + " of the open menu");
        for (int i = 0; i < presses; ++i) post_key(s.window, VK_DOWN);
        post_key(s.window, VK_RETURN);
        return wait_gone(s.program, popup, kSettleMs);
    }

private:
    DWORD k_;
};

class CloseMenuStep : public Step {
public:
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        say("leaving the menu");
        HWND popup = open_popup(s.program);
        post_key(s.window, VK_ESCAPE);
        post_key(s.window, VK_ESCAPE);
        const DWORD until = GetTickCount() + kSettleMs;
        while ((open_popup(s.program) || in_menu_mode(s.window)) && static_cast<LONG>(until - GetTickCount()) > 0 &&
               !s.program.exited())
            Sleep(20);
        return !popup || wait_gone(s.program, popup, 0);
    }
};

class MenuScreenshotStep : public Step {
public:
    explicit MenuScreenshotStep(std::wstring path) : path_(std::move(path)) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        Sleep(300);  // let the menu finish drawing
        RECT area, menu;
        GetWindowRect(s.window, &area);
        if (HWND popup = open_popup(s.program)) {
            GetWindowRect(popup, &menu);
            UnionRect(&area, &area, &menu);
        }
        const int width = area.right - area.left, height = area.bottom - area.top;
        const std::vector<unsigned> pixels = grab(area);
        std::vector<std::uint8_t> rgb(pixels.size() * 3);
        for (size_t i = 0; i < pixels.size(); ++i) {
            rgb[i * 3] = static_cast<std::uint8_t>(pixels[i] >> 16);
            rgb[i * 3 + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
            rgb[i * 3 + 2] = static_cast<std::uint8_t>(pixels[i]);
        }
        if (!write_png(program_path(path_), width, height, rgb)) {
            say("cannot write " + utf8(path_));
            return false;
        }
        say("screenshot of \"" + shown(s.window_title) + "\" and its menu in " + utf8(path_));
        return true;
    }

private:
    std::wstring path_;
};

// The window is in front, active, and one of its windows has the focus.
bool takes_keys(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return GetForegroundWindow() == window && info.hwndActive == window && info.hwndFocus &&
           (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

INPUT key_input(WORD key, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

class ShortcutStep : public Step {
public:
    ShortcutStep(std::wstring text, std::vector<WORD> modifiers, WORD key)
        : text_(std::move(text)), modifiers_(std::move(modifiers)), key_(key) {}
    bool run(Session& s, size_t n) override {
        if (!has_window(s, n)) return false;
        // Real key presses go to the foreground window: make it ours first,
        // should another program on the display have taken it.
        const DWORD until = GetTickCount() + kSettleMs;
        while (!takes_keys(s.window) && static_cast<LONG>(until - GetTickCount()) > 0) {
            SetForegroundWindow(s.window);
            Sleep(50);
        }
        if (!takes_keys(s.window)) {
            say("step " + std::to_string(n) + ": \"" + shown(s.window_title) + "\" does not come to the front");
            return false;
        }
        say("pressing " + utf8(text_) + " in \"" + shown(s.window_title) + "\"");
        std::vector<INPUT> presses;
        for (WORD m : modifiers_) presses.push_back(key_input(m, false));
        presses.push_back(key_input(key_, false));
        presses.push_back(key_input(key_, true));
        for (auto m = modifiers_.rbegin(); m != modifiers_.rend(); ++m) presses.push_back(key_input(*m, true));
        SendInput(static_cast<UINT>(presses.size()), presses.data(), sizeof(INPUT));
        return true;
    }

private:
    std::wstring text_;
    std::vector<WORD> modifiers_;
    WORD key_;
};

}  // namespace

std::unique_ptr<Step> parse_menu_step(const std::wstring& value) {
    return std::make_unique<OpenMenuStep>(parse_number(value.c_str(), "--menu"));
}

std::unique_ptr<Step> parse_menu_items_step(const std::wstring& value) {
    if (value.empty() || value.find_first_not_of(L"EG-") != std::wstring::npos)
        usage("--menu-items needs letters E, G and -, got " + utf8(value));
    return std::make_unique<MenuItemsStep>(utf8(value));
}

std::unique_ptr<Step> parse_menu_choose_step(const std::wstring& value) {
    if (value == L"last") return std::make_unique<ChooseStep>(ChooseStep::kLast);
    return std::make_unique<ChooseStep>(parse_number(value.c_str(), "--menu-choose"));
}

std::unique_ptr<Step> parse_menu_close_step(const std::wstring&) { return std::make_unique<CloseMenuStep>(); }

std::unique_ptr<Step> parse_menu_screenshot_step(const std::wstring& value) {
    return std::make_unique<MenuScreenshotStep>(value);
}

std::unique_ptr<Step> parse_shortcut_step(const std::wstring& value) {
    static const struct {
        const wchar_t* prefix;
        WORD key;
    } kModifiers[] = {{L"Ctrl+", VK_CONTROL}, {L"Shft+", VK_SHIFT}, {L"Alt+", VK_MENU}};
    std::vector<WORD> modifiers;
    std::wstring rest = value;
    for (const auto& m : kModifiers) {
        const std::wstring prefix = m.prefix;
        if (rest.compare(0, prefix.size(), prefix) != 0) continue;
        modifiers.push_back(m.key);
        rest = rest.substr(prefix.size());
    }
    if (rest.size() >= 2 && rest[0] == L'F') {
        const DWORD number = parse_number(rest.c_str() + 1, "--shortcut F");
        if (number >= 1 && number <= 12) return std::make_unique<ShortcutStep>(value, modifiers, VK_F1 + number - 1);
    }
    if (rest.size() == 1) {
        const SHORT scan = VkKeyScanW(rest[0]);
        if (scan != -1) return std::make_unique<ShortcutStep>(value, modifiers, LOBYTE(scan));
    }
    usage("--shortcut needs modifiers (Ctrl+, Shft+, Alt+) and one character or F1-F12, got " + utf8(value));
}
