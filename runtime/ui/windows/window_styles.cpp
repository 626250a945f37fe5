#include "windows/window_styles.h"

namespace {

const FrameChoice kFrames[8] = {{8, 4}, {3, 2}, {2, 2}, {1, 0}, {4, 2}, {5, 2}, {6, 4}, {9, 0}};

constexpr DWORD kPopupCaption = WS_POPUP | WS_CAPTION;
constexpr DWORD kPopupBorder = WS_POPUP | WS_BORDER;

const ViewStyleRow kViewStyles[kViewStyleCount] = {
    {WS_CAPTION, 0, true, false, true},                                                    // 0: as 8
    {kPopupCaption, WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, true, false, false},              // 1: frame 3
    {WS_POPUP | WS_DLGFRAME, 0, false, true, false},                                       // 2: frame 2
    {kPopupCaption, WS_EX_DLGMODALFRAME, false, true, false},                              // 3: frame 1
    {kPopupBorder, 0, false, true, false},                                                 // 4: frame 4
    {kPopupBorder, WS_EX_CLIENTEDGE, false, true, false},                                  // 5: frame 5
    {WS_CAPTION, 0, false, false, true},                                                   // 6: frame 6
    {kPopupBorder, WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, false, true, false},  // 7
    {WS_CAPTION, 0, true, false, true},                                                    // 8: frame 0
    {kPopupCaption, WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_TOPMOST, true, false, false},  // 9: frame 7
};

}  // namespace

FrameChoice frame_choice(std::int32_t frame) {
    return frame >= 0 && frame <= 7 ? kFrames[frame] : kFrames[0];
}

const ViewStyleRow& view_style_row(int view_style) {
    return view_style >= 0 && view_style < kViewStyleCount ? kViewStyles[view_style] : kViewStyles[8];
}

DWORD view_window_style(int view_style, bool grow_icon, bool close_box, bool zoom_icon) {
    DWORD style = view_style >= 0 && view_style < kViewStyleCount ? kViewStyles[view_style].style : 0;
    if (grow_icon) style |= WS_THICKFRAME;
    if (close_box) style |= WS_SYSMENU;
    if (zoom_icon) style |= WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    return style;
}

POINT placement_offset(std::int32_t placement, int right, int bottom, int screen_width) {
    switch (placement) {
        case 0: return {4, 100};
        case 1:
        case 2:
        case 3: return {(screen_width - right) / 2, (screen_width - bottom) / 4};
        case 4: return {10, 50};
        default: return {0, 0};
    }
}
