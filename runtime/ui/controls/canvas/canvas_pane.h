// The Canvas's pane: a "TV_Pane" window that draws the backdrop, then
// raises Paint, and hands the mouse to the canvas's events relative to its
// top-left corner.
#pragma once

#include "objects/objects.h"

// The class's CreatePane.
void canvas_create_pane(RuntimeObject* canvas);
