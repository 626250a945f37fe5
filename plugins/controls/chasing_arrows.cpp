// ChasingArrows: eight marks around a circle, a bright one and its fading
// tail turning one step per idle call while the control is visible.
#include <algorithm>
#include <cmath>

#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

constexpr int kFrames = 8;

struct ChasingData {
    std::int32_t frame;  // 0 to 7
    std::uint8_t reserved[4];
};
static_assert(sizeof(ChasingData) == 8, "the ChasingArrows' data area");

extern TAVOControlDefinition g_definition;
ChasingData& data(void* control) { return data_of<ChasingData>(control, g_definition); }

// Mark i sits at the angle of i eighths of a turn, clockwise from the top.
RECT mark(const RECT& b, int i) {
    const double radius = (std::min(b.right - b.left, b.bottom - b.top) - 4) / 2.0;
    const double angle = i * 3.14159265358979 / 4;
    const int cx = (b.left + b.right) / 2 + static_cast<int>(std::lround(radius * std::sin(angle)));
    const int cy = (b.top + b.bottom) / 2 - static_cast<int>(std::lround(radius * std::cos(angle)));
    return RECT{cx - 2, cy - 2, cx + 2, cy + 2};
}

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const RECT b = control_bounds(control);
    const int frame = data(control).frame;
    for (int i = 0; i < kFrames; ++i) {
        const int behind = (frame - i + kFrames) % kFrames;
        const int colour = behind == 0 ? COLOR_BTNTEXT : behind <= 2 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
        fill_system(dc, mark(b, i), colour);
    }
}

void idle(void* control) {
    if (!services().control_visible(control)) return;
    ChasingData& d = data(control);
    d.frame = (d.frame + 1) % kFrames;
    services().invalidate_control(control);
}

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw,  nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, idle};

TAVOControlDefinition g_definition = {5, "ChasingArrows", sizeof(ChasingData), 0, {174, 175}, 16, 16, nullptr, 0,
                                      nullptr, 0, nullptr, 0, &kBehaviour};

}  // namespace

TAVOControlDefinition* chasing_arrows_definition() { return &g_definition; }
