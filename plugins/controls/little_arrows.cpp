// LittleArrows: an up and a down arrow in a 13 x 23 area at the top-left of
// the bounds. A press runs Up or Down once; held in the same half, each
// drag call more than 15 ticks after the press runs it again.
#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

constexpr int kWidth = 13, kHeight = 23, kSplit = 12;
constexpr DWORD kRepeatAfter = 15;  // ticks of 16 ms
enum Half : std::int32_t { kNone = 0, kUp = 1, kDown = 2 };

struct ArrowsData {
    std::int32_t pressed;  // the half drawn pressed
    std::int32_t held;     // the half the press began in
    std::uint32_t press_ticks;
    std::uint8_t reserved[4];
};
static_assert(sizeof(ArrowsData) == 16, "the LittleArrows' data area");

TAVOEventDefinition g_events[] = {{"Up", nullptr}, {"Down", nullptr}};
extern TAVOControlDefinition g_definition;

ArrowsData& data(void* control) { return data_of<ArrowsData>(control, g_definition); }
std::uint32_t ticks_now() { return GetTickCount() / 16; }

RECT half_rect(const RECT& b, std::int32_t half) {
    return half == kUp ? RECT{b.left, b.top, b.left + kWidth, b.top + kSplit}
                       : RECT{b.left, b.top + kSplit - 1, b.left + kWidth, b.top + kHeight};
}

std::int32_t half_at(void* control, std::int32_t x, std::int32_t y) {
    const RECT b = control_bounds(control);
    if (contains(half_rect(b, kUp), x, y) && y < b.top + kSplit) return kUp;
    if (contains(half_rect(b, kDown), x, y)) return kDown;
    return kNone;
}

void draw_half(HDC dc, const RECT& b, std::int32_t half, bool pressed, bool enabled) {
    RECT r = half_rect(b, half);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNTEXT));
    InflateRect(&r, -1, -1);
    fill_system(dc, r, pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE);
    if (pressed) draw_ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    else draw_ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    const COLORREF colour = GetSysColor(!enabled ? COLOR_GRAYTEXT : pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNTEXT);
    draw_arrow(dc, centred(r, 7, 4), half == kUp ? kFacingUp : kFacingDown, colour);
}

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const ArrowsData& d = data(control);
    const RECT b = control_bounds(control);
    const bool enabled = control_enabled(control);
    draw_half(dc, b, kUp, d.pressed == kUp, enabled);
    draw_half(dc, b, kDown, d.pressed == kDown, enabled);
}

void show_pressed(void* control, std::int32_t half) {
    ArrowsData& d = data(control);
    if (d.pressed == half) return;
    d.pressed = half;
    redraw_now(control, redraw);
}

void run(void* control, std::int32_t half) { raise(control, g_events[half == kUp ? 0 : 1]); }

std::uint8_t mouse_down(void* control, std::int32_t x, std::int32_t y, std::int32_t) {
    ArrowsData& d = data(control);
    d.held = half_at(control, x, y);
    if (d.held == kNone) return 0;
    d.press_ticks = ticks_now();
    show_pressed(control, d.held);
    run(control, d.held);
    return 1;
}

void mouse_drag(void* control, std::int32_t x, std::int32_t y) {
    ArrowsData& d = data(control);
    if (d.held == kNone) return;
    const bool inside = half_at(control, x, y) == d.held;
    show_pressed(control, inside ? d.held : kNone);
    if (inside && ticks_now() - d.press_ticks > kRepeatAfter) run(control, d.held);
}

void mouse_up(void* control, std::int32_t, std::int32_t) {
    data(control).held = kNone;
    show_pressed(control, kNone);
}

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw, mouse_down, mouse_drag, mouse_up};

TAVOControlDefinition g_definition = {5, "LittleArrows", sizeof(ArrowsData), 0x10, {176, 177}, 13, 23, nullptr, 0,
                                      nullptr, 0, g_events, 2, &kBehaviour};

}  // namespace

TAVOControlDefinition* little_arrows_definition() { return &g_definition; }
