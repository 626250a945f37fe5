// Graphics: the drawing object handed to Paint handlers, shapes and plugins.
#pragma once

#include <windows.h>

struct RuntimeObject;

// A new Graphics that draws into `dc` (not owned) of `width` x `height` pixels; one reference for the caller.
RuntimeObject* graphics_for_dc(HDC dc, int width, int height);

// Ends drawing through `graphics` (the DC is about to go away); later drawing through it does nothing.
void graphics_detach(RuntimeObject* graphics);
