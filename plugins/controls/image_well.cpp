// ImageWell: a sunken well showing its Image, which it holds one reference
// to; the mouse goes to the application's handlers.
#include <cstddef>

#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

struct WellData {
    void* image;  // a Picture
    std::uint8_t reserved[20];
};
static_assert(sizeof(WellData) == 24, "the ImageWell's data area");

const TAVOPropertyDefinition kProperties[] = {
    {"Appearance", "Image", "Picture", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(WellData, image)},
};
TAVOEventDefinition g_events[] = {
    {kMouseDownDeclaration, nullptr}, {kMouseDragDeclaration, nullptr}, {kMouseUpDeclaration, nullptr}};
extern TAVOControlDefinition g_definition;

void redraw(void* control, void* graphics) {
    const Services& s = services();
    HDC dc = s.graphics_dc(graphics);
    if (!dc) return;
    RECT r = control_bounds(control);
    draw_ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    InflateRect(&r, -1, -1);
    draw_ring(dc, r, COLOR_3DDKSHADOW, COLOR_BTNFACE);
    InflateRect(&r, -1, -1);
    fill_system(dc, r, control_enabled(control) ? COLOR_BTNFACE : COLOR_BTNSHADOW);
    void* image = data_of<WellData>(control, g_definition).image;
    const TAVOPictureDescription* picture = image ? s.lock_picture(image) : nullptr;
    if (!picture) return;
    const RECT place = centred(r, picture->width, picture->height);
    s.unlock_picture(image);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    s.draw_picture(image, dc, &place);
    RestoreDC(dc, saved);
}

std::uint8_t mouse_down(void* control, std::int32_t x, std::int32_t y, std::int32_t) {
    return raise_mouse_down(control, g_events[0], x, y);
}
void mouse_drag(void* control, std::int32_t x, std::int32_t y) { raise_point(control, g_events[1], x, y); }
void mouse_up(void* control, std::int32_t x, std::int32_t y) { raise_point(control, g_events[2], x, y); }

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw, mouse_down, mouse_drag, mouse_up};

TAVOControlDefinition g_definition = {5, "ImageWell", sizeof(WellData), TAVO_CONTROL_REPORTS_BOUNDS, {186, 187}, 32,
                                      32, kProperties, 1, nullptr, 0, g_events, 3, &kBehaviour};

}  // namespace

TAVOControlDefinition* image_well_definition() { return &g_definition; }
