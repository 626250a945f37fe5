// Separator: an etched line across the longer side of its bounds, a shadow
// line with a highlight line just below (or right of) it.
#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const RECT b = control_bounds(control);
    HPEN shadow = system_pen(COLOR_BTNSHADOW);
    HPEN highlight = system_pen(COLOR_BTNHIGHLIGHT);
    HGDIOBJ previous = SelectObject(dc, shadow);
    if (b.bottom - b.top < b.right - b.left) {
        const int y = (b.top + b.bottom) / 2;
        MoveToEx(dc, b.left, y, nullptr);
        LineTo(dc, b.right, y);
        SelectObject(dc, highlight);
        MoveToEx(dc, b.left, y + 1, nullptr);
        LineTo(dc, b.right, y + 1);
    } else {
        const int x = (b.left + b.right) / 2;
        MoveToEx(dc, x, b.top, nullptr);
        LineTo(dc, x, b.bottom);
        SelectObject(dc, highlight);
        MoveToEx(dc, x + 1, b.top, nullptr);
        LineTo(dc, x + 1, b.bottom);
    }
    SelectObject(dc, previous);
    DeleteObject(shadow);
    DeleteObject(highlight);
}

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw};

TAVOControlDefinition g_definition = {5, "Separator", 4, 0, {175, 176}, 64, 4, nullptr, 0, nullptr, 0, nullptr, 0,
                                      &kBehaviour};

}  // namespace

TAVOControlDefinition* separator_definition() { return &g_definition; }
