// Text in the Graphics font: drawn on its baseline, measured, and the font
// properties, each of which makes the font be remade on next use.
#include "graphics_entry_points.h"
#include "graphics_object.h"
#include "strings/runtime_string.h"

namespace {

struct TextRun {
    const char* bytes;
    int length;
};

int line_height(GraphicsState& state) {
    graphics_use_font(state);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(state.dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

// How many bytes of `run` go on one line no wider than `width`: up to the
// last blank that fits, else as many bytes as fit, at least one.
int wrapped_length(GraphicsState& state, TextRun run, int width) {
    int fit = 0;
    SIZE extent = {};
    GetTextExtentExPointA(state.dc, run.bytes, run.length, width, &fit, nullptr, &extent);
    if (fit >= run.length) return run.length;
    for (int i = fit; i > 0; --i)
        if (run.bytes[i] == ' ') return i;
    return fit > 0 ? fit : 1;
}

// Draws one paragraph (no line breaks in it) from `y` on; returns the
// baseline after it.
int draw_paragraph(GraphicsState& state, TextRun run, int x, int y, int wrap_width, int height) {
    if (wrap_width <= 0 || run.length == 0) {
        TextOutA(state.dc, x, y, run.bytes, run.length);
        return y + height;
    }
    while (run.length > 0) {
        const int n = wrapped_length(state, run, wrap_width);
        TextOutA(state.dc, x, y, run.bytes, n);
        y += height;
        run.bytes += n;
        run.length -= n;
        while (run.length > 0 && *run.bytes == ' ') {
            ++run.bytes;
            --run.length;
        }
    }
    return y;
}

void set_flag(RuntimeObject* g, std::uint8_t GraphicsState::*flag, std::int32_t on) {
    GraphicsState* state = reinterpret_cast<GraphicsObject*>(g)->state;
    const std::uint8_t value = (on & 0xFF) != 0;
    if (state->*flag == value) return;
    state->*flag = value;
    graphics_forget_font(*state);
}

bool flag(RuntimeObject* g, std::uint8_t GraphicsState::*flag) {
    return g && reinterpret_cast<GraphicsObject*>(g)->state->*flag;
}

}  // namespace

extern "C" {

void RuntimeGraphicsDrawString(RuntimeObject* g, RuntimeString* text, std::int32_t x, std::int32_t y,
                               std::int32_t wrap_width) {
    GraphicsState* state = drawing_state(g);
    if (!state || !text) return;
    const int height = line_height(*state);
    SetTextColor(state->dc, colour_for_gdi(state->colour));
    const char* bytes = string_cstr(text);
    const int length = static_cast<int>(string_length(text));
    int start = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && bytes[i] != '\r' && bytes[i] != '\n') continue;
        y = draw_paragraph(*state, {bytes + start, i - start}, x, y, wrap_width, height);
        if (i + 1 < length && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
}

std::int32_t RuntimeGraphicsStringWidth(RuntimeObject* g, RuntimeString* text) {
    GraphicsState* state = drawing_state(g);
    if (!state || !text) return 0;
    graphics_use_font(*state);
    SIZE extent = {};
    GetTextExtentPoint32A(state->dc, string_cstr(text), static_cast<int>(string_length(text)), &extent);
    return extent.cx;
}

std::int32_t RuntimeGraphicsTextHeight(RuntimeObject* g) {
    GraphicsState* state = drawing_state(g);
    return state ? line_height(*state) : 0;
}

std::int32_t RuntimeGraphicsTextAscent(RuntimeObject* g) {
    GraphicsState* state = drawing_state(g);
    if (!state) return 0;
    graphics_use_font(*state);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(state->dc, &metrics);
    return metrics.tmAscent;
}

RuntimeString* graphicsTextFontGetter(RuntimeObject* g, std::int32_t) {
    if (!g) return nullptr;
    RuntimeString* name = reinterpret_cast<GraphicsObject*>(g)->state->font_name;
    if (!name) return string_from_cstr("System");
    RuntimeLockString(name);
    return name;
}

void graphicsTextFontSetter(RuntimeObject* g, std::int32_t, RuntimeString* name) {
    if (!g) return;
    GraphicsState* state = reinterpret_cast<GraphicsObject*>(g)->state;
    string_assign(&state->font_name, name);
    graphics_forget_font(*state);
}

std::int32_t graphicsTextSizeGetter(RuntimeObject* g, std::int32_t) {
    return g ? reinterpret_cast<GraphicsObject*>(g)->state->text_size : 0;
}

void graphicsTextSizeSetter(RuntimeObject* g, std::int32_t, std::int32_t size) {
    if (!g) return;
    GraphicsState* state = reinterpret_cast<GraphicsObject*>(g)->state;
    state->text_size = size < 0 ? 0 : size;
    graphics_forget_font(*state);
}

bool graphicsBoldGetter(RuntimeObject* g, std::int32_t) { return flag(g, &GraphicsState::bold); }
void graphicsBoldSetter(RuntimeObject* g, std::int32_t, std::int32_t on) {
    if (g) set_flag(g, &GraphicsState::bold, on);
}
bool graphicsItalicGetter(RuntimeObject* g, std::int32_t) { return flag(g, &GraphicsState::italic); }
void graphicsItalicSetter(RuntimeObject* g, std::int32_t, std::int32_t on) {
    if (g) set_flag(g, &GraphicsState::italic, on);
}
bool graphicsUnderlineGetter(RuntimeObject* g, std::int32_t) { return flag(g, &GraphicsState::underline); }
void graphicsUnderlineSetter(RuntimeObject* g, std::int32_t, std::int32_t on) {
    if (g) set_flag(g, &GraphicsState::underline, on);
}

}  // extern "C"
