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

void fill_triangle(HDC dc, const POINT (&corners)[3], COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    Polygon(dc, corners, 3);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}
