// The colour, pen and size properties of a Graphics, the system icons and
// RuntimeRGB.
#include "graphics_entry_points.h"
#include "graphics_object.h"

namespace {

GraphicsState* state_of(RuntimeObject* g) { return g ? reinterpret_cast<GraphicsObject*>(g)->state : nullptr; }

// A pen side below 0 is 0: nothing is framed or drawn with it.
void set_pen_side(RuntimeObject* g, std::int32_t GraphicsState::*side, std::int32_t value) {
    if (GraphicsState* state = state_of(g)) state->*side = value < 0 ? 0 : value;
}

std::int32_t clamp_component(std::int32_t value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

void draw_icon(RuntimeObject* g, std::int32_t x, std::int32_t y, LPCSTR which) {
    GraphicsState* state = drawing_state(g);
    if (!state) return;
    if (HICON icon = LoadIconA(nullptr, which)) DrawIconEx(state->dc, x, y, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

}  // namespace

extern "C" {

std::uint32_t graphicsForeColorGetter(RuntimeObject* g, std::int32_t) {
    GraphicsState* state = state_of(g);
    return state ? colour_narrow(state->colour) : 0;
}

void graphicsForeColorSetter(RuntimeObject* g, std::int32_t, std::uint32_t colour) {
    GraphicsState* state = state_of(g);
    if (!state) return;
    const WideColour wide = colour_widen(colour);
    if (wide.red == state->colour.red && wide.green == state->colour.green && wide.blue == state->colour.blue) return;
    state->colour = wide;
    graphics_forget_colour(*state);
}

std::int32_t graphicsPenWidthGetter(RuntimeObject* g, std::int32_t) {
    GraphicsState* state = state_of(g);
    return state ? state->pen_width : 0;
}
void graphicsPenWidthSetter(RuntimeObject* g, std::int32_t, std::int32_t width) {
    set_pen_side(g, &GraphicsState::pen_width, width);
}
std::int32_t graphicsPenHeightGetter(RuntimeObject* g, std::int32_t) {
    GraphicsState* state = state_of(g);
    return state ? state->pen_height : 0;
}
void graphicsPenHeightSetter(RuntimeObject* g, std::int32_t, std::int32_t height) {
    set_pen_side(g, &GraphicsState::pen_height, height);
}

std::int32_t graphicsWidthGetter(RuntimeObject* g, std::int32_t) {
    GraphicsState* state = state_of(g);
    return state ? state->width : 0;
}
std::int32_t graphicsHeightGetter(RuntimeObject* g, std::int32_t) {
    GraphicsState* state = state_of(g);
    return state ? state->height : 0;
}

void graphicsDrawStopIcon(RuntimeObject* g, std::int32_t x, std::int32_t y) { draw_icon(g, x, y, IDI_HAND); }
void graphicsDrawNoteIcon(RuntimeObject* g, std::int32_t x, std::int32_t y) { draw_icon(g, x, y, IDI_ASTERISK); }
void graphicsDrawCautionIcon(RuntimeObject* g, std::int32_t x, std::int32_t y) {
    draw_icon(g, x, y, IDI_EXCLAMATION);
}

std::uint32_t RuntimeRGB(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (static_cast<std::uint32_t>(clamp_component(red)) << 16) |
           (static_cast<std::uint32_t>(clamp_component(green)) << 8) | static_cast<std::uint32_t>(clamp_component(blue));
}

}  // extern "C"
