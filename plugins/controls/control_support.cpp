#include "control_support.h"

#include "services.h"

const char kMouseDownDeclaration[] = "MouseDown(X As Integer, Y As Integer) As Boolean";
const char kMouseDragDeclaration[] = "MouseDrag(X As Integer, Y As Integer)";
const char kMouseUpDeclaration[] = "MouseUp(X As Integer, Y As Integer)";

RECT control_bounds(void* control) {
    std::int16_t tlbr[4] = {0, 0, 0, 0};
    services().control_bounds(control, tlbr);
    return RECT{tlbr[1], tlbr[0], tlbr[3], tlbr[2]};
}

bool control_enabled(void* control) { return services().control_enabled(control, 0) != 0; }

bool contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void* event_handler(void* control, const TAVOEventDefinition& event) {
    return event.handle ? services().event_instance(control, event.handle) : nullptr;
}

void raise(void* control, const TAVOEventDefinition& event) {
    if (auto handler = reinterpret_cast<void (*)(void*)>(event_handler(control, event))) handler(control);
}

std::uint8_t raise_mouse_down(void* control, const TAVOEventDefinition& event, std::int32_t x, std::int32_t y) {
    auto handler = reinterpret_cast<std::uint8_t (*)(void*, std::int32_t, std::int32_t)>(event_handler(control, event));
    return handler ? handler(control, x, y) : 0;
}

void raise_point(void* control, const TAVOEventDefinition& event, std::int32_t x, std::int32_t y) {
    auto handler = reinterpret_cast<void (*)(void*, std::int32_t, std::int32_t)>(event_handler(control, event));
    if (handler) handler(control, x, y);
}

void redraw_now(void* control, void (*redraw)(void*, void*)) {
    const Services& s = services();
    void* graphics = s.control_graphics(control);
    if (!graphics) return;
    redraw(control, graphics);
    s.unlock_object(graphics);
}

HPEN system_pen(int colour_index) { return CreatePen(PS_SOLID, 1, GetSysColor(colour_index)); }

// The DC's own pen, recoloured: no pen is made for each edge.
void draw_ring(HDC dc, const RECT& r, int top_left, int bottom_right) {
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DC_PEN));
    const COLORREF previous_colour = SetDCPenColor(dc, GetSysColor(top_left));
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SetDCPenColor(dc, GetSysColor(bottom_right));
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SetDCPenColor(dc, previous_colour);
    SelectObject(dc, previous);
}

void fill_system(HDC dc, const RECT& r, int colour_index) { FillRect(dc, &r, GetSysColorBrush(colour_index)); }

void draw_arrow(HDC dc, const RECT& box, int facing, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const int w = box.right - box.left, h = box.bottom - box.top;
    const bool vertical = facing % 4 == kFacingUp || facing % 4 == kFacingDown;
    // Each step narrows the arrow by a pixel on both sides.
    const int steps = vertical ? h : w;
    for (int i = 0; i < steps; ++i) {
        RECT line;
        switch (facing % 4) {
            case kFacingDown: line = {box.left + i, box.top + i, box.right - i, box.top + i + 1}; break;
            case kFacingUp: line = {box.left + i, box.bottom - i - 1, box.right - i, box.bottom - i}; break;
            case kFacingRight: line = {box.left + i, box.top + i, box.left + i + 1, box.bottom - i}; break;
            default: line = {box.right - i - 1, box.top + i, box.right - i, box.bottom - i}; break;
        }
        if (line.right <= line.left || line.bottom <= line.top) break;
        FillRect(dc, &line, brush);
    }
    DeleteObject(brush);
}

RECT centred(const RECT& r, int width, int height) {
    const int left = (r.left + r.right - width) / 2, top = (r.top + r.bottom - height) / 2;
    return RECT{left, top, left + width, top + height};
}
