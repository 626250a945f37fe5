// The inside of a Graphics object, shared by the drawing modules. The pen,
// brush and font are made on first use for the current colour, pen size and
// font, stay selected into the DC, and are remade only when those change.
#pragma once

#include <windows.h>

#include <cstdint>

#include "colour.h"
#include "objects/objects.h"

struct RuntimeString;

struct GraphicsState {
    HDC dc;              // null once detached
    HWND owned_window;   // the DC came from GetDC of this window; null when borrowed
    int saved_dc;        // SaveDC level to go back to on detaching
    std::int32_t width, height;
    WideColour colour;
    std::uint32_t background;  // 0x00RRGGBB for ClearRect
    std::int32_t pen_width, pen_height;
    RuntimeString* font_name;  // nil: the default face
    std::int32_t text_size;    // 0: the default size
    std::uint8_t bold, italic, underline;
    HPEN pen;      // solid 1-pixel pen of the colour
    HBRUSH brush;  // solid brush of the colour
    HFONT font;
    HGDIOBJ selected_pen, selected_brush;  // what this Graphics last selected
};

struct GraphicsObject {
    RuntimeObject header;
    GraphicsState* state;
    std::uint32_t reserved[3];
};
static_assert(sizeof(GraphicsObject) == 40, "the size of the built-in class");

// The state of a Graphics that can draw; null for nil or a detached one.
inline GraphicsState* drawing_state(RuntimeObject* graphics) {
    if (!graphics) return nullptr;
    GraphicsState* state = reinterpret_cast<GraphicsObject*>(graphics)->state;
    return state && state->dc ? state : nullptr;
}

// Select the current pen, brush or font into the DC, making them first.
void graphics_use_pen(GraphicsState& state);
void graphics_use_brush(GraphicsState& state);
void graphics_use_null_pen(GraphicsState& state);
void graphics_use_null_brush(GraphicsState& state);
void graphics_use_font(GraphicsState& state);
// The current pen, brush or font no longer fits: drop it.
void graphics_forget_colour(GraphicsState& state);
void graphics_forget_font(GraphicsState& state);

// The class's destructor.
void graphics_release(RuntimeObject* graphics, RuntimeClass* cls);

// A new Graphics over `dc`; `owned_window` as in GraphicsState.
RuntimeObject* graphics_new(HDC dc, HWND owned_window, int width, int height);
