#include "shapes/shape_panes.h"

#include <cstdlib>
#include <utility>

#include "shapes/shape_painter.h"
#include "windows/native_view.h"

namespace {

int magnitude(std::int16_t width) { return std::abs(static_cast<int>(width)); }

RECT bounds(const Pane& pane) { return {pane.rect.left, pane.rect.top, pane.rect.right, pane.rect.bottom}; }

}  // namespace

void RectanglePane::draw(HDC dc) {
    if (!visible) return;
    ShapePainter paint(dc);
    const int w = magnitude(border_width);
    const int left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    paint.set_colour(fill);
    paint.fill_rect(left + w, top + w, right - w, bottom - w);
    if (w == 0) return;
    // Left and top in one colour, right and bottom in the other: a raised
    // or sunken frame, w lines deep.
    paint.set_colour(top_left);
    for (int i = 0; i < w; ++i) {
        paint.move_to(left + i, bottom - i - 1);
        paint.line_to(left + i, top + i);
        paint.line_to(right - i, top + i);
    }
    paint.set_colour(bottom_right);
    for (int i = 0; i < w; ++i) {
        paint.move_to(left + i + 1, bottom - i - 1);
        paint.line_to(right - i - 1, bottom - i - 1);
        paint.line_to(right - i - 1, top + i - 1);
    }
}

void RoundRectanglePane::draw(HDC dc) {
    if (!visible) return;
    ShapePainter paint(dc);
    const RECT r = bounds(*this);
    paint.set_colour(fill);
    paint.fill_round_rect(r, oval_width, oval_height);
    const int w = magnitude(border_width);
    if (w == 0) return;
    paint.set_colour(border_colour);
    paint.set_pen_size(w);
    paint.frame_round_rect(r, oval_width, oval_height);
    paint.set_pen_size(1);
}

void OvalPane::draw(HDC dc) {
    if (!visible) return;
    ShapePainter paint(dc);
    const RECT r = bounds(*this);
    paint.set_colour(fill);
    paint.fill_ellipse(r);
    const int w = magnitude(border_width);
    if (w == 0) return;
    paint.set_colour(border_colour);
    paint.set_pen_size(w);
    paint.frame_ellipse(r);
    paint.set_pen_size(1);
}

void LinePane::draw(HDC dc) {
    if (!visible) return;
    ShapePainter paint(dc);
    if (colour != 0) paint.set_colour(colour);
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int w = magnitude(border_width);
    for (int i = 0; i < w; ++i) {
        int from_x = x1 + i, from_y = y1, to_x = x2 + i, to_y = y2;
        if (y1 == y2) from_x = x1, from_y = to_y = y1 + i, to_x = x2 + w - 1;
        else if (x1 == x2) to_x = x1 + i, to_y = y2 + w - 1;
        paint.move_to(from_x, from_y);
        paint.line_to(to_x, to_y);
        // The line's own end point, which line drawing leaves out.
        paint.set_pixel(to_x, to_y);
    }
}

void LinePane::refresh() {
    if (!owner) return;
    const int w = magnitude(border_width);
    RECT r = {rect.left, rect.top, rect.right + w + 1, rect.bottom + w + 1};
    InvalidateRect(owner->hwnd, &r, TRUE);
}
