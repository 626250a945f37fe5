// Shapes: passive controls that only draw. Rectangle, RoundRectangle and
// Oval fill and frame their rectangle; a Line's rectangle follows from its
// end points and its width.
#pragma once

#include <cstdint>

#include "controls/control_object.h"

struct RectangleObject {
    ControlObject control;
    std::uint32_t fill, top_left, bottom_right;  // 0xRRGGBB
    std::int16_t border_width, unused;
};
static_assert(sizeof(RectangleObject) == 104, "the size of the built-in class");

struct RoundRectangleObject {
    ControlObject control;
    std::uint32_t fill, border_colour;
    std::int16_t border_width, oval_width, oval_height, unused;
};
static_assert(sizeof(RoundRectangleObject) == 104, "the size of the built-in class");

struct OvalObject {
    ControlObject control;
    std::uint32_t fill, border_colour;
    std::int16_t border_width, unused;
};
static_assert(sizeof(OvalObject) == 100, "the size of the built-in class");

struct LineObject {
    ControlObject control;  // its rectangle: the bounds of the end points
    std::int32_t x1, x2, y1, y2;  // window coordinates
    std::int16_t border_width, unused;
    std::uint32_t colour;  // 0: the drawing context's current colour
};
static_assert(sizeof(LineObject) == 112, "the size of the built-in class");

// The four classes' property tables and CreatePane.
void shapes_describe();

extern "C" {
// Stores the end point named by the selector (the field's offset), then
// the line's bounds and its pane follow.
void linePosSetter(RuntimeObject* line, std::uint32_t field, std::int32_t value);
}
