// The window object: what application code holds of a window. Its fields
// follow the object header; a project window class adds its own after them.
#pragma once

#include <cstdint>

#include "objects/objects.h"

struct RuntimeString;
struct NativeView;
struct ControlDictionary;
struct ControlTemplate;

// Rectangles of windows and controls: signed 16-bit, in this order.
struct ShortRect {
    std::int16_t top, left, bottom, right;

    // The Left, Top, Width and Height properties (members 0 to 3); moving
    // keeps the size. Setting another member does nothing and gives false.
    std::int32_t member(std::uint32_t which) const {
        switch (which) {
            case 0: return left;
            case 1: return top;
            case 2: return right - left;
            case 3: return bottom - top;
            default: return 0;
        }
    }
    bool set_member(std::uint32_t which, std::int32_t value) {
        const auto v = static_cast<std::int16_t>(value);
        switch (which) {
            case 0: right = static_cast<std::int16_t>(right + (v - left)); left = v; return true;
            case 1: bottom = static_cast<std::int16_t>(bottom + (v - top)); top = v; return true;
            case 2: right = static_cast<std::int16_t>(left + v); return true;
            case 3: bottom = static_cast<std::int16_t>(top + v); return true;
            default: return false;
        }
    }
};

struct WindowObject {
    RuntimeObject header;
    std::uint8_t visible, close_box, grow_icon, zoom_icon;
    NativeView* view;  // null before creation and after closing
    ShortRect rect;    // screen coordinates (MDI client's in MDI mode)
    ShortRect saved;   // as created, and after each resize
    ShortRect before_full_screen;
    RuntimeString* title;
    RuntimeObject* backdrop;
    std::int32_t frame;
    std::int32_t placement;
    std::uint32_t back_colour;  // 0xRRGGBB
    std::int16_t min_width, min_height, max_width, max_height;  // 0: no limit
    RuntimeObject* mouse_cursor;
    RuntimeString* balloon_help;
    std::uint8_t has_back_colour, menu_bar_visible, full_screen, unused;
    RuntimeString* floater_process;
    std::int32_t proc_id;
    ControlDictionary* controls;
    ControlTemplate* templates;
    std::uint32_t reserved[2];
};
static_assert(sizeof(WindowObject) == 120, "a Window is 120 bytes");

inline WindowObject* as_window(RuntimeObject* object) { return reinterpret_cast<WindowObject*>(object); }
inline RuntimeObject* as_object(WindowObject* window) { return reinterpret_cast<RuntimeObject*>(window); }
