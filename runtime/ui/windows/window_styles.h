// Frame types, view styles and the native window styles they make.
#pragma once

#include <windows.h>

#include <cstdint>

// What a window's frame type selects. Frame types above 7 are treated as 0.
struct FrameChoice {
    int view_style;
    int default_placement;
};
FrameChoice frame_choice(std::int32_t frame);

struct ViewStyleRow {
    DWORD style;
    DWORD ex_style;
    bool grow_from_icon;  // else the view's grow flag is cleared
    bool modal;           // on the modal list
    bool mdi_child;       // in multiple-document mode
};
constexpr int kViewStyleCount = 10;
// Style 10 or more is the caller's error; this answers style 8's row then.
const ViewStyleRow& view_style_row(int view_style);

// The native style of a view: its row plus the parts the window's flags add
// (grow icon WS_THICKFRAME, close box WS_SYSMENU, zoom icon WS_SYSMENU and
// the minimise and maximise boxes).
DWORD view_window_style(int view_style, bool grow_icon, bool close_box, bool zoom_icon);

// Placement: how far the window rectangle moves from its origin. Both
// distances of the centred placements come from the screen's width.
POINT placement_offset(std::int32_t placement, int right, int bottom, int screen_width);
