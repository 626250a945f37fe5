// BevelButton: a push, toggle or sticky button with a bevel, a caption, an
// optional icon and an optional pop-up menu of rows.
#pragma once

#include <cstdint>

#include "plugin_interface.h"

struct BevelRow {
    void* text;  // one reference held; null for a separator
    std::int32_t separator;
};

struct BevelReceiver {
    BevelReceiver* next;
    void* receiver;  // one reference held
};

// The control's data area; the property offsets name these fields.
struct BevelData {
    void* caption;
    std::int32_t caption_align;      // 0, 2 from the left, 1 from the right, 3 centred
    std::int32_t caption_placement;  // with an icon: 2 right of it, 3 left, 4 below, 5 above
    std::int32_t caption_delta;
    void* icon;  // a Picture
    std::int32_t icon_align;
    std::int32_t icon_dx, icon_dy;
    std::int32_t bevel;     // the bevel is bevel + 1 pixels wide
    std::int32_t has_menu;  // 0 none, 1 below the button, 2 to its right
    std::uint8_t value;
    std::uint8_t pressed;   // drawn pressed: the mouse is down inside
    std::uint8_t tracking;  // a press of an enabled, menu-less button is followed
    std::uint8_t unused;
    std::int32_t menu_value;
    std::int32_t button_type;  // 0 push, 1 toggle, 2 sticky
    void* text_font;
    std::int32_t text_size;
    std::uint8_t bold, italic, underline, unused2;
    BevelRow* rows;
    std::int32_t row_count, row_capacity;
    BevelReceiver* receivers;  // newest first
    std::uint8_t reserved[32];
};
static_assert(sizeof(BevelData) == 112, "the BevelButton's data area");

constexpr std::int32_t kMenuBelow = 1, kMenuRight = 2;
constexpr std::int32_t kPushButton = 0, kToggleButton = 1, kStickyButton = 2;

extern TAVOControlDefinition g_bevel_button;
inline BevelData& bevel_data(void* control);

void bevel_redraw(void* control, void* graphics);
void bevel_redraw_at_once(void* control);
// The menu rows and the action receivers, freed as the control goes.
void bevel_rows_release(BevelData& d);
void bevel_receivers_release(BevelData& d);
// Tells every action receiver, newest first.
void bevel_notify_receivers(void* control);
extern const TAVOMethodDefinition kBevelMethods[8];

#include "control_support.h"

inline BevelData& bevel_data(void* control) { return data_of<BevelData>(control, g_bevel_button); }
