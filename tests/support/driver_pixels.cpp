// What the screen shows of the chosen window, read back as a person's eyes
// would: from the screen, not from the program.
//   --pixel X,Y=RRGGBB  the pixel at client position X,Y has that colour
//                       (waits for it to appear); instead of RRGGBB a
//                       system colour by name: btnface, btnshadow,
//                       btnhighlight, btntext, highlight, graytext
//   --find-pixel X1,Y1,X2,Y2=COLOUR  some pixel of the client area from
//                       X1,Y1 up to (not including) X2,Y2 has that colour
//   --no-pixel X1,Y1,X2,Y2=COLOUR  no pixel of that area has it
//   --screenshot FILE.png  saves the whole window as the screen shows it
#include <cstdio>

#include "driver_png.h"
#include "driver_steps.h"
#include "driver_text.h"

namespace {

constexpr DWORD kSettleMs = 3000;

// Screen pixels of `area`, 3 bytes each (R, G, B), rows top to bottom.
std::vector<std::uint8_t> grab(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const std::uint8_t* bgra = static_cast<const std::uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3] = bgra[i * 4 + 2];
        rgb[i * 3 + 1] = bgra[i * 4 + 1];
        rgb[i * 3 + 2] = bgra[i * 4];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

std::string hex_colour(unsigned colour) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", colour & 0xFFFFFF);
    return buf;
}

unsigned pixel_at(HWND window, long x, long y) {
    POINT at = {x, y};
    ClientToScreen(window, &at);
    RECT one = {at.x, at.y, at.x + 1, at.y + 1};
    std::vector<std::uint8_t> rgb = grab(one);
    return (unsigned(rgb[0]) << 16) | (unsigned(rgb[1]) << 8) | rgb[2];
}

class PixelStep : public Step {
public:
    PixelStep(long x, long y, unsigned colour) : x_(x), y_(y), colour_(colour) {}
    bool run(Session& s, size_t n) override {
        if (!s.window || !IsWindow(s.window)) {
            say("step " + std::to_string(n) + ": no window for --pixel");
            return false;
        }
        const std::string where = "pixel " + std::to_string(x_) + "," + std::to_string(y_) + " of \"" +
                                  shown(s.window_title) + "\"";
        unsigned seen = 0;
        DWORD until = GetTickCount() + kSettleMs;
        for (;;) {
            seen = pixel_at(s.window, x_, y_);
            if (seen == colour_) {
                say(where + " is " + hex_colour(seen));
                return true;
            }
            if (s.program.exited() || !IsWindow(s.window) || static_cast<LONG>(until - GetTickCount()) <= 0) break;
            Sleep(50);
        }
        say(where + " is " + hex_colour(seen) + ", expected " + hex_colour(colour_));
        return false;
    }

private:
    long x_, y_;
    unsigned colour_;
};

// Looks for a colour in an area: text and moving shapes have no one pixel
// whose colour can be named in advance.
class AreaStep : public Step {
public:
    AreaStep(RECT area, unsigned colour, bool wanted) : area_(area), colour_(colour), wanted_(wanted) {}
    bool run(Session& s, size_t n) override {
        if (!s.window || !IsWindow(s.window)) {
            say("step " + std::to_string(n) + ": no window for --find-pixel or --no-pixel");
            return false;
        }
        const std::string where = "area " + std::to_string(area_.left) + "," + std::to_string(area_.top) + "-" +
                                  std::to_string(area_.right) + "," + std::to_string(area_.bottom) + " of \"" +
                                  shown(s.window_title) + "\"";
        bool found = false;
        DWORD until = GetTickCount() + kSettleMs;
        for (;;) {
            found = holds_colour(s.window);
            if (found == wanted_) {
                say(where + (found ? " shows " : " lacks ") + hex_colour(colour_));
                return true;
            }
            if (s.program.exited() || !IsWindow(s.window) || static_cast<LONG>(until - GetTickCount()) <= 0) break;
            Sleep(50);
        }
        say(where + (found ? " shows " : " lacks ") + hex_colour(colour_) + ", expected otherwise");
        return false;
    }

private:
    RECT area_;
    unsigned colour_;
    bool wanted_;

    bool holds_colour(HWND window) const {
        POINT corners[2] = {{area_.left, area_.top}, {area_.right, area_.bottom}};
        MapWindowPoints(window, nullptr, corners, 2);
        const std::vector<std::uint8_t> rgb = grab({corners[0].x, corners[0].y, corners[1].x, corners[1].y});
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
            if (((unsigned(rgb[i]) << 16) | (unsigned(rgb[i + 1]) << 8) | rgb[i + 2]) == colour_) return true;
        return false;
    }
};

class ScreenshotStep : public Step {
public:
    explicit ScreenshotStep(std::wstring path) : path_(std::move(path)) {}
    bool run(Session& s, size_t n) override {
        if (!s.window || !IsWindow(s.window)) {
            say("step " + std::to_string(n) + ": no window for --screenshot");
            return false;
        }
        // Let a window that just appeared finish painting.
        Sleep(300);
        RECT area;
        GetWindowRect(s.window, &area);
        if (!write_png(program_path(path_), area.right - area.left, area.bottom - area.top, grab(area))) {
            say("cannot write " + utf8(path_));
            return false;
        }
        say("screenshot of \"" + shown(s.window_title) + "\" in " + utf8(path_));
        return true;
    }

private:
    std::wstring path_;
};

// RRGGBB, or a system colour by name.
unsigned parse_colour(const std::wstring& name, const char* option) {
    static const struct {
        const wchar_t* name;
        int index;
    } kSystemColours[] = {{L"btnface", COLOR_BTNFACE},     {L"btnshadow", COLOR_BTNSHADOW},
                          {L"btnhighlight", COLOR_BTNHIGHLIGHT}, {L"btntext", COLOR_BTNTEXT},
                          {L"highlight", COLOR_HIGHLIGHT},  {L"graytext", COLOR_GRAYTEXT}};
    for (const auto& c : kSystemColours) {
        if (name != c.name) continue;
        const COLORREF gdi = GetSysColor(c.index);
        return (GetRValue(gdi) << 16) | (GetGValue(gdi) << 8) | GetBValue(gdi);
    }
    std::wstring colour = L"0x" + name;
    return parse_number(colour.c_str(), option);
}

std::unique_ptr<Step> parse_area_step(const std::wstring& value, bool wanted) {
    const char* option = wanted ? "--find-pixel" : "--no-pixel";
    size_t equals = value.find(L'=');
    size_t second = value.find(L',', value.find(L',') + 1);
    if (equals == std::wstring::npos || second == std::wstring::npos || second > equals)
        usage(std::string(option) + " needs X1,Y1,X2,Y2=RRGGBB, got " + utf8(value));
    long x1, y1, x2, y2;
    parse_pair(value.substr(0, second), option, x1, y1);
    parse_pair(value.substr(second + 1, equals - second - 1), option, x2, y2);
    if (x2 <= x1 || y2 <= y1) usage(std::string(option) + " needs an area that is not empty, got " + utf8(value));
    return std::make_unique<AreaStep>(RECT{x1, y1, x2, y2}, parse_colour(value.substr(equals + 1), option), wanted);
}

}  // namespace

std::unique_ptr<Step> parse_pixel_step(const std::wstring& value) {
    size_t equals = value.find(L'=');
    if (equals == std::wstring::npos) usage("--pixel needs X,Y=RRGGBB, got " + utf8(value));
    long x, y;
    parse_pair(value.substr(0, equals), "--pixel", x, y);
    return std::make_unique<PixelStep>(x, y, parse_colour(value.substr(equals + 1), "--pixel colour"));
}

std::unique_ptr<Step> parse_find_pixel_step(const std::wstring& value) { return parse_area_step(value, true); }
std::unique_ptr<Step> parse_no_pixel_step(const std::wstring& value) { return parse_area_step(value, false); }

std::unique_ptr<Step> parse_screenshot_step(const std::wstring& value) {
    return std::make_unique<ScreenshotStep>(value);
}
