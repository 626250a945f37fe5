#include "shapes/shape_painter.h"

ShapePainter::ShapePainter(HDC dc) : dc_(dc), saved_(SaveDC(dc)) { SetBkMode(dc, TRANSPARENT); }

ShapePainter::~ShapePainter() {
    // The context's own pen and brush are back in it: ours can go.
    RestoreDC(dc_, saved_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
}

void ShapePainter::forget_tools() {
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    pen_ = nullptr;
    brush_ = nullptr;
}

void ShapePainter::set_colour(std::uint32_t rgb) {
    colour_ = colour_widen(rgb);
    forget_tools();
}

void ShapePainter::set_pen_size(int size) {
    if (size == pen_size_) return;
    pen_size_ = size;
    if (pen_) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        DeleteObject(pen_);
        pen_ = nullptr;
    }
}

void ShapePainter::use_pen() {
    if (!pen_) pen_ = CreatePen(PS_SOLID, pen_size_, colour_for_gdi(colour_));
    SelectObject(dc_, pen_);
}

void ShapePainter::use_brush() {
    if (!brush_) brush_ = CreateSolidBrush(colour_for_gdi(colour_));
    SelectObject(dc_, brush_);
}

void ShapePainter::fill_rect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    use_brush();
    const RECT r = {left, top, right, bottom};
    FillRect(dc_, &r, brush_);
}

void ShapePainter::move_to(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void ShapePainter::line_to(int x, int y) {
    use_pen();
    LineTo(dc_, x, y);
}

void ShapePainter::set_pixel(int x, int y) { SetPixel(dc_, x, y, colour_for_gdi(colour_)); }

void ShapePainter::fill_round_rect(const RECT& r, int oval_width, int oval_height) {
    SelectObject(dc_, GetStockObject(NULL_PEN));
    use_brush();
    RoundRect(dc_, r.left, r.top, r.right, r.bottom, oval_width, oval_height);
}

void ShapePainter::frame_round_rect(const RECT& r, int oval_width, int oval_height) {
    use_pen();
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    RoundRect(dc_, r.left, r.top, r.right, r.bottom, oval_width, oval_height);
}

void ShapePainter::fill_ellipse(const RECT& r) {
    SelectObject(dc_, GetStockObject(NULL_PEN));
    use_brush();
    Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void ShapePainter::frame_ellipse(const RECT& r) {
    use_pen();
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}
