// What the screen shows of the chosen window, read back as a person's eyes
// would: from the screen, not from the program.
//   --pixel X,Y=RRGGBB  the pixel at client position X,Y has that colour
//                       (waits for it to appear); instead of RRGGBB a
//                       system colour by name: btnface, btnshadow,
//                       btnhighlight, btntext, highlight, graytext
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

}  // namespace

std::unique_ptr<Step> parse_pixel_step(const std::wstring& value) {
    size_t equals = value.find(L'=');
    if (equals == std::wstring::npos) usage("--pixel needs X,Y=RRGGBB, got " + utf8(value));
    long x, y;
    parse_pair(value.substr(0, equals), "--pixel", x, y);
    const std::wstring name = value.substr(equals + 1);
    static const struct {
        const wchar_t* name;
        int index;
    } kSystemColours[] = {{L"btnface", COLOR_BTNFACE},     {L"btnshadow", COLOR_BTNSHADOW},
                          {L"btnhighlight", COLOR_BTNHIGHLIGHT}, {L"btntext", COLOR_BTNTEXT},
                          {L"highlight", COLOR_HIGHLIGHT},  {L"graytext", COLOR_GRAYTEXT}};
    for (const auto& c : kSystemColours) {
        if (name != c.name) continue;
        const COLORREF gdi = GetSysColor(c.index);
        return std::make_unique<PixelStep>(x, y, (GetRValue(gdi) << 16) | (GetGValue(gdi) << 8) | GetBValue(gdi));
    }
    std::wstring colour = L"0x" + name;
    return std::make_unique<PixelStep>(x, y, parse_number(colour.c_str(), "--pixel colour"));
}

std::unique_ptr<Step> parse_screenshot_step(const std::wstring& value) {
    return std::make_unique<ScreenshotStep>(value);
}
