// Graphics: the drawing object handed to Paint handlers, shapes and plugins.
#pragma once

#include <windows.h>

#include <cstdint>

struct RuntimeObject;

// A new Graphics that draws into `dc` (not owned) of `width` x `height` pixels; one reference for the caller.
RuntimeObject* graphics_for_dc(HDC dc, int width, int height);

// Ends drawing through `graphics` (the DC is about to go away); later drawing through it does nothing.
void graphics_detach(RuntimeObject* graphics);

// A new Graphics over the client area of `window` with a DC of its own,
// given back when the Graphics is detached or destroyed; nil without a
// window or when no DC can be had.
RuntimeObject* graphics_for_window(HWND window);

// The DC that `graphics` draws into; null when nil or detached.
HDC graphics_dc(RuntimeObject* graphics);

// What ClearRect fills with (0x00RRGGBB); white unless the owner says so.
void graphics_set_background(RuntimeObject* graphics, std::uint32_t rgb);
