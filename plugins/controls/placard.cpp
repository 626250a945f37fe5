// Placard: a raised panel, sunk while Value is true; the mouse goes to the
// application's handlers.
#include <cstddef>

#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

struct PlacardData {
    std::uint8_t value;
    std::uint8_t reserved[7];
};
static_assert(sizeof(PlacardData) == 8, "the Placard's data area");

const TAVOPropertyDefinition kProperties[] = {
    {"Initial State", "Value", "Boolean", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(PlacardData, value)},
};
TAVOEventDefinition g_events[] = {
    {kMouseDownDeclaration, nullptr}, {kMouseDragDeclaration, nullptr}, {kMouseUpDeclaration, nullptr}};
extern TAVOControlDefinition g_definition;

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const bool pressed = data_of<PlacardData>(control, g_definition).value != 0;
    RECT r = control_bounds(control);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&r, -1, -1);
    if (pressed) draw_ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNFACE);
    else draw_ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    InflateRect(&r, -1, -1);
    fill_system(dc, r, pressed ? COLOR_3DLIGHT : COLOR_BTNFACE);
}

std::uint8_t mouse_down(void* control, std::int32_t x, std::int32_t y, std::int32_t) {
    return raise_mouse_down(control, g_events[0], x, y);
}
void mouse_drag(void* control, std::int32_t x, std::int32_t y) { raise_point(control, g_events[1], x, y); }
void mouse_up(void* control, std::int32_t x, std::int32_t y) { raise_point(control, g_events[2], x, y); }

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw, mouse_down, mouse_drag, mouse_up};

TAVOControlDefinition g_definition = {5, "Placard", sizeof(PlacardData), 0x18, {178, 179}, 64, 64,
                                      kProperties, 1, nullptr, 0, g_events, 3, &kBehaviour};

}  // namespace

TAVOControlDefinition* placard_definition() { return &g_definition; }
