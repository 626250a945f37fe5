#include "graphics.h"

#include "drawing_classes.h"
#include "graphics_object.h"
#include "objects/builtin_classes.h"
#include "objects/memory.h"
#include "startup/project_settings.h"
#include "strings/runtime_string.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kDefaultTextSize = 12;
const char kDefaultFace[] = "System";

GraphicsState* state_of(RuntimeObject* graphics) {
    return graphics ? reinterpret_cast<GraphicsObject*>(graphics)->state : nullptr;
}

void select_pen(GraphicsState& state, HGDIOBJ pen) {
    if (state.selected_pen == pen) return;
    SelectObject(state.dc, pen);
    state.selected_pen = pen;
}

void select_brush(GraphicsState& state, HGDIOBJ brush) {
    if (state.selected_brush == brush) return;
    SelectObject(state.dc, brush);
    state.selected_brush = brush;
}

// Puts the stock objects back into the DC so that ours can be deleted.
void deselect_own_objects(GraphicsState& state) {
    SelectObject(state.dc, GetStockObject(NULL_PEN));
    SelectObject(state.dc, GetStockObject(NULL_BRUSH));
    SelectObject(state.dc, GetStockObject(SYSTEM_FONT));
    state.selected_pen = state.selected_brush = nullptr;
}

template <typename Handle>
void delete_object(Handle& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}

}  // namespace

RuntimeObject* graphics_new(HDC dc, HWND owned_window, int width, int height) {
    drawing_classes_describe();
    RuntimeObject* graphics = object_new(builtin_class(BuiltinClass::Graphics));
    auto* state = static_cast<GraphicsState*>(runtime_alloc(sizeof(GraphicsState)));
    state->dc = dc;
    state->owned_window = owned_window;
    state->width = width;
    state->height = height;
    state->background = kWhite;
    state->pen_width = state->pen_height = 1;
    state->text_size = kDefaultTextSize;
    if (dc) {
        state->saved_dc = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    }
    reinterpret_cast<GraphicsObject*>(graphics)->state = state;
    return graphics;
}

RuntimeObject* graphics_for_dc(HDC dc, int width, int height) { return graphics_new(dc, nullptr, width, height); }

RuntimeObject* graphics_for_window(HWND window) {
    if (!window || !IsWindow(window)) return nullptr;
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    return graphics_new(dc, window, client.right - client.left, client.bottom - client.top);
}

void graphics_detach(RuntimeObject* graphics) {
    GraphicsState* state = state_of(graphics);
    if (!state || !state->dc) return;
    deselect_own_objects(*state);
    if (state->saved_dc) RestoreDC(state->dc, state->saved_dc);
    delete_object(state->pen);
    delete_object(state->brush);
    delete_object(state->font);
    if (state->owned_window) ReleaseDC(state->owned_window, state->dc);
    state->dc = nullptr;
    state->owned_window = nullptr;
}

void graphics_release(RuntimeObject* graphics, RuntimeClass*) {
    GraphicsState* state = state_of(graphics);
    if (!state) return;
    graphics_detach(graphics);
    RuntimeUnlockString(state->font_name);
    runtime_free(state, sizeof(GraphicsState));
    reinterpret_cast<GraphicsObject*>(graphics)->state = nullptr;
}

HDC graphics_dc(RuntimeObject* graphics) {
    GraphicsState* state = drawing_state(graphics);
    return state ? state->dc : nullptr;
}

void graphics_set_background(RuntimeObject* graphics, std::uint32_t rgb) {
    if (GraphicsState* state = state_of(graphics)) state->background = rgb & 0xFFFFFF;
}

void graphics_use_pen(GraphicsState& state) {
    if (!state.pen) state.pen = CreatePen(PS_SOLID, 1, colour_for_gdi(state.colour));
    select_pen(state, state.pen);
}

void graphics_use_brush(GraphicsState& state) {
    if (!state.brush) state.brush = CreateSolidBrush(colour_for_gdi(state.colour));
    select_brush(state, state.brush);
}

void graphics_use_null_pen(GraphicsState& state) { select_pen(state, GetStockObject(NULL_PEN)); }
void graphics_use_null_brush(GraphicsState& state) { select_brush(state, GetStockObject(NULL_BRUSH)); }

void graphics_forget_colour(GraphicsState& state) {
    if (state.dc && state.pen && state.selected_pen == state.pen) select_pen(state, GetStockObject(NULL_PEN));
    if (state.dc && state.brush && state.selected_brush == state.brush) select_brush(state, GetStockObject(NULL_BRUSH));
    delete_object(state.pen);
    delete_object(state.brush);
}

void graphics_use_font(GraphicsState& state) {
    if (state.font) return;
    LOGFONTA font = {};
    font.lfHeight = -(state.text_size > 0 ? state.text_size : kDefaultTextSize);
    font.lfWeight = state.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = state.italic;
    font.lfUnderline = state.underline;
    font.lfCharSet = project_settings().charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const char* face = state.font_name ? string_cstr(state.font_name) : kDefaultFace;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    state.font = CreateFontIndirectA(&font);
    SelectObject(state.dc, state.font);
}

void graphics_forget_font(GraphicsState& state) {
    if (!state.font) return;
    if (state.dc) SelectObject(state.dc, GetStockObject(SYSTEM_FONT));
    delete_object(state.font);
}
