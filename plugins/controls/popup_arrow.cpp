// PopupArrow: a small arrow pointing where Facing says; a press goes to the
// application's MouseDown handler.
#include <cstddef>

#include "controls.h"
#include "control_support.h"
#include "services.h"

namespace {

struct ArrowData {
    std::int32_t facing;  // 0 right, 1 left, 2 up, 3 down; 4 to 7 the same, small
    std::uint8_t reserved[8];
};
static_assert(sizeof(ArrowData) == 12, "the PopupArrow's data area");

const char* const kFacings[] = {"East", "West", "North", "South", "Small East", "Small West", "Small North",
                                "Small South"};
const TAVOPropertyDefinition kProperties[] = {
    {"Appearance", "Facing", "Integer", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(ArrowData, facing), 0, 8,
     kFacings},
};
TAVOEventDefinition g_events[] = {
    {kMouseDownDeclaration, nullptr}, {kMouseDragDeclaration, nullptr}, {kMouseUpDeclaration, nullptr}};
extern TAVOControlDefinition g_definition;

void redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const int facing = data_of<ArrowData>(control, g_definition).facing & 7;
    const bool small = facing >= 4, vertical = facing % 4 >= kFacingUp;
    const int across = small ? 7 : 9, along = small ? 4 : 5;
    const RECT box = centred(control_bounds(control), vertical ? across : along, vertical ? along : across);
    draw_arrow(dc, box, facing, GetSysColor(control_enabled(control) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

std::uint8_t mouse_down(void* control, std::int32_t x, std::int32_t y, std::int32_t) {
    return raise_mouse_down(control, g_events[0], x, y);
}

const TAVOControlBehaviour kBehaviour = {nullptr, nullptr, redraw, mouse_down};

TAVOControlDefinition g_definition = {5, "PopupArrow", sizeof(ArrowData), 0, {180, 181}, 10, 10,
                                      kProperties, 1, nullptr, 0, g_events, 3, &kBehaviour};

}  // namespace

TAVOControlDefinition* popup_arrow_definition() { return &g_definition; }
