#include "shapes/shape_painter.h"

// The context keeps its clip region; its pen, brush and background mode are
// put back at the end. Saving the whole context costs more than the shapes.
ShapePainter::ShapePainter(HDC dc)
    : dc_(dc),
      old_pen_(SelectObject(dc, GetStockObject(BLACK_PEN))),
      old_brush_(SelectObject(dc, GetStockObject(WHITE_BRUSH))),
      old_background_mode_(SetBkMode(dc, TRANSPARENT)) {}

ShapePainter::~ShapePainter() {
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
    SetBkMode(dc_, old_background_mode_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
}

void ShapePainter::forget_tools() {
    if (pen_) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        DeleteObject(pen_);
        pen_ = nullptr;
    }
    if (brush_) {
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        DeleteObject(brush_);
        brush_ = nullptr;
    }
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

// Wide frames lie inside the shape's rectangle, which is all that its
// redraws cover.
void ShapePainter::use_pen() {
    if (!pen_) pen_ = CreatePen(pen_size_ > 1 ? PS_INSIDEFRAME : PS_SOLID, pen_size_, colour_for_gdi(colour_));
    SelectObject(dc_, pen_);
}

void ShapePainter::use_brush() {
    if (!brush_) brush_ = CreateSolidBrush(colour_for_gdi(colour_));
    SelectObject(dc_, brush_);
}

void ShapePainter::fill_rect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    if (!brush_) brush_ = CreateSolidBrush(colour_for_gdi(colour_));
    const RECT r = {left, top, right, bottom};
    FillRect(dc_, &r, brush_);
}

void ShapePainter::move_to(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void ShapePainter::line_to(int x, int y) {
    use_pen();
    LineTo(dc_, x, y);
}

void ShapePainter::set_pixel(int x, int y) { SetPixelV(dc_, x, y, colour_for_gdi(colour_)); }

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
