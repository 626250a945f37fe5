// Rectangles, ovals, rounded rectangles, lines, polygons and pixels. Frames
// lie inside their rectangle; fills cover it exactly.
#include <algorithm>

#include "graphics_entry_points.h"
#include "graphics_object.h"
#include "objects/memory.h"
#include "values/array.h"

namespace {

RECT rect_of(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) { return {x, y, x + w, y + h}; }

bool has_pen(const GraphicsState& state) { return state.pen_width > 0 && state.pen_height > 0; }
bool thin_pen(const GraphicsState& state) { return state.pen_width == 1 && state.pen_height == 1; }

void fill(GraphicsState& state, const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    graphics_use_brush(state);
    FillRect(state.dc, &r, state.brush);
}

// Ovals and rounded rectangles framed with a pen wider than one pixel get a
// round pen as thick as the pen's larger side, kept inside the rectangle.
template <typename Draw>
void frame_figure(GraphicsState& state, Draw draw) {
    graphics_use_null_brush(state);
    if (thin_pen(state)) {
        graphics_use_pen(state);
        draw();
        return;
    }
    LOGBRUSH brush = {BS_SOLID, colour_for_gdi(state.colour), 0};
    HPEN wide = ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME, std::max(state.pen_width, state.pen_height), &brush, 0,
                             nullptr);
    HGDIOBJ previous = SelectObject(state.dc, wide);
    draw();
    SelectObject(state.dc, previous);
    DeleteObject(wide);
}

// Fills use a pen of the same colour so that the edge pixels are covered.
template <typename Draw>
void fill_figure(GraphicsState& state, Draw draw) {
    graphics_use_pen(state);
    graphics_use_brush(state);
    draw();
}

// The area a w x h pen covers moving from a to b: the hull of the pen's
// rectangle at both ends.
void wide_line(GraphicsState& state, POINT a, POINT b) {
    if (b.x < a.x) std::swap(a, b);
    const LONG w = state.pen_width, h = state.pen_height;
    POINT hull[6];
    if (b.y >= a.y) {
        POINT down[6] = {{a.x, a.y}, {a.x + w, a.y}, {b.x + w, b.y}, {b.x + w, b.y + h}, {b.x, b.y + h}, {a.x, a.y + h}};
        std::copy(down, down + 6, hull);
    } else {
        POINT up[6] = {{a.x, a.y}, {b.x, b.y}, {b.x + w, b.y}, {b.x + w, b.y + h}, {a.x + w, a.y + h}, {a.x, a.y + h}};
        std::copy(up, up + 6, hull);
    }
    graphics_use_null_pen(state);
    graphics_use_brush(state);
    Polygon(state.dc, hull, 6);
}

void line(GraphicsState& state, POINT a, POINT b) {
    if (!thin_pen(state)) {
        wide_line(state, a, b);
        return;
    }
    graphics_use_pen(state);
    MoveToEx(state.dc, a.x, a.y, nullptr);
    LineTo(state.dc, b.x, b.y);
    SetPixelV(state.dc, b.x, b.y, colour_for_gdi(state.colour));
}

// The points of an array of x, y pairs from element 1 on; element 0 and an
// odd last element are not read.
class PolygonPoints {
public:
    explicit PolygonPoints(RuntimeArray* array) {
        if (!array || array->dimension_count != 1 || array->upper[0] < 2) return;
        count_ = static_cast<std::uint32_t>(array->upper[0]) / 2;
        points_ = count_ <= kInline ? inline_ : static_cast<POINT*>(runtime_alloc(sizeof(POINT) * count_));
        for (std::uint32_t i = 0; i < count_; ++i)
            points_[i] = {element(array, 2 * i + 1), element(array, 2 * i + 2)};
    }
    ~PolygonPoints() {
        if (points_ != inline_) runtime_free(points_, sizeof(POINT) * count_);
    }
    PolygonPoints(const PolygonPoints&) = delete;
    PolygonPoints& operator=(const PolygonPoints&) = delete;
    const POINT* points() const { return points_; }
    std::uint32_t count() const { return count_; }

private:
    static constexpr std::uint32_t kInline = 32;
    static LONG element(RuntimeArray* array, std::uint32_t i) {
        const std::uint8_t* slot = vector_element(&array->elements, i, 4);
        return slot ? *reinterpret_cast<const std::int32_t*>(slot) : 0;
    }
    POINT inline_[kInline];
    POINT* points_ = inline_;
    std::uint32_t count_ = 0;
};

}  // namespace

extern "C" {

void RuntimeGraphicsClearRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0) return;
    const std::uint32_t b = state->background;
    HBRUSH background = CreateSolidBrush(RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
    RECT r = rect_of(x, y, w, h);
    FillRect(state->dc, &r, background);
    DeleteObject(background);
}

void RuntimeGraphicsFillRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (GraphicsState* state = drawing_state(g)) fill(*state, rect_of(x, y, w, h));
}

void RuntimeGraphicsDrawRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0 || !has_pen(*state)) return;
    const std::int32_t pw = std::min(state->pen_width, w), ph = std::min(state->pen_height, h);
    fill(*state, rect_of(x, y, w, ph));
    fill(*state, rect_of(x, y + h - ph, w, ph));
    fill(*state, rect_of(x, y + ph, pw, h - 2 * ph));
    fill(*state, rect_of(x + w - pw, y + ph, pw, h - 2 * ph));
}

void RuntimeGraphicsDrawOval(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0 || !has_pen(*state)) return;
    frame_figure(*state, [&] { Ellipse(state->dc, x, y, x + w, y + h); });
}

void RuntimeGraphicsFillOval(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0) return;
    fill_figure(*state, [&] { Ellipse(state->dc, x, y, x + w, y + h); });
}

void RuntimeGraphicsDrawRoundRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                  std::int32_t oval_width, std::int32_t oval_height) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0 || !has_pen(*state)) return;
    frame_figure(*state, [&] { RoundRect(state->dc, x, y, x + w, y + h, oval_width, oval_height); });
}

void RuntimeGraphicsFillRoundRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                  std::int32_t oval_width, std::int32_t oval_height) {
    GraphicsState* state = drawing_state(g);
    if (!state || w <= 0 || h <= 0) return;
    fill_figure(*state, [&] { RoundRect(state->dc, x, y, x + w, y + h, oval_width, oval_height); });
}

void RuntimeGraphicsDrawLine(RuntimeObject* g, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    GraphicsState* state = drawing_state(g);
    if (!state || !has_pen(*state)) return;
    line(*state, {x1, y1}, {x2, y2});
}

void graphicsDrawPolygon(RuntimeObject* g, RuntimeArray* points) {
    GraphicsState* state = drawing_state(g);
    if (!state || !has_pen(*state)) return;
    PolygonPoints polygon(points);
    const std::uint32_t n = polygon.count();
    for (std::uint32_t i = 0; i < n && n > 1; ++i) line(*state, polygon.points()[i], polygon.points()[(i + 1) % n]);
}

void graphicsFillPolygon(RuntimeObject* g, RuntimeArray* points) {
    GraphicsState* state = drawing_state(g);
    if (!state) return;
    PolygonPoints polygon(points);
    if (polygon.count() < 3) return;
    fill_figure(*state, [&] { Polygon(state->dc, polygon.points(), static_cast<int>(polygon.count())); });
}

std::uint32_t graphicsPixelGetter(RuntimeObject* g, std::int32_t x, std::int32_t y) {
    GraphicsState* state = drawing_state(g);
    if (!state || x < 0 || y < 0 || x >= state->width || y >= state->height) return 0;
    const COLORREF pixel = GetPixel(state->dc, x, y);
    return pixel == CLR_INVALID ? 0 : colour_from_gdi(pixel);
}

void graphicsPixelSetter(RuntimeObject* g, std::int32_t x, std::int32_t y, std::uint32_t colour) {
    GraphicsState* state = drawing_state(g);
    if (!state || x < 0 || y < 0 || x >= state->width || y >= state->height) return;
    SetPixelV(state->dc, x, y, colour_for_gdi(colour_widen(colour)));
}

}  // extern "C"
