// The panes of the shapes. They have no window of their own and draw into
// their window's paint from their copies of the shape's colours and sizes;
// the pane accessors write those copies through the offsets of the fields.
#pragma once

#include <cstdint>

#include "panes/pane.h"

class RectanglePane : public Pane {
public:
    using Pane::Pane;
    void draw(HDC dc) override;

    std::uint32_t fill = 0, top_left = 0, bottom_right = 0;
    std::int16_t border_width = 0;
};

class RoundRectanglePane : public Pane {
public:
    using Pane::Pane;
    void draw(HDC dc) override;

    std::uint32_t fill = 0, border_colour = 0;
    std::int16_t border_width = 0, oval_width = 0, oval_height = 0;
};

class OvalPane : public Pane {
public:
    using Pane::Pane;
    void draw(HDC dc) override;

    std::uint32_t fill = 0, border_colour = 0;
    std::int16_t border_width = 0;
};

class LinePane : public Pane {
public:
    using Pane::Pane;
    void draw(HDC dc) override;
    // The end pixels and wide lines reach past the bounds: they are redrawn too.
    void refresh() override;

    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t colour = 0;
    std::int16_t border_width = 0;
};
