// The Canvas entry points of the runtime export table; nil canvases are
// ignored. Objects returned are new references owned by the caller.
#pragma once

#include <cstdint>

#include "objects/objects.h"

extern "C" {
// A Graphics over the canvas on the screen; nil before it has a pane.
RuntimeObject* canvasGraphicsGetter(RuntimeObject* canvas, std::int32_t selector);
void canvasBackdropSetter(RuntimeObject* canvas, std::int32_t selector, RuntimeObject* picture);
// Moves what the canvas shows by (dx, dy) within the rectangle at (left,
// top) in canvas coordinates; a width or height of 0 or less reaches the
// canvas's edge. The part uncovered is painted again by Paint.
void canvasScroll(RuntimeObject* canvas, std::int32_t dx, std::int32_t dy, std::int32_t left, std::int32_t top,
                  std::int32_t width, std::int32_t height);
}
