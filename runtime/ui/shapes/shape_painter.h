// What a shape's paint draws with: a colour (widened to 16 bits per channel
// as the drawing layer keeps it), a pen size, and the one-pixel lines and
// filled and framed GDI shapes of the shapes. The context's own colour and
// pen come back when the painter goes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "drawing/colour.h"

class ShapePainter {
public:
    explicit ShapePainter(HDC dc);
    ~ShapePainter();
    ShapePainter(const ShapePainter&) = delete;
    ShapePainter& operator=(const ShapePainter&) = delete;

    void set_colour(std::uint32_t rgb);
    void set_pen_size(int size);

    void fill_rect(int left, int top, int right, int bottom);
    void move_to(int x, int y);
    void line_to(int x, int y);
    void set_pixel(int x, int y);
    void fill_round_rect(const RECT& r, int oval_width, int oval_height);
    void frame_round_rect(const RECT& r, int oval_width, int oval_height);
    void fill_ellipse(const RECT& r);
    void frame_ellipse(const RECT& r);

private:
    HDC dc_;
    HGDIOBJ old_pen_, old_brush_;
    int old_background_mode_;
    WideColour colour_ = {0, 0, 0};  // black until a shape says otherwise
    int pen_size_ = 1;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;

    void use_pen();
    void use_brush();
    void forget_tools();
};
