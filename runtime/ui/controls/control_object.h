// The control object: the fields every Control carries after the object
// header (RectControl adds none of its own). Control classes add theirs
// after these 88 bytes.
#pragma once

#include <cstdint>

#include "objects/objects.h"
#include "windows/window_object.h"

struct RuntimeString;
struct NativeView;

// The key of a control that is not a member of a control array.
constexpr std::int32_t kNoIndex = INT32_MIN;

struct ControlObject {
    RuntimeObject header;
    RuntimeString* name;
    std::int32_t index;  // kNoIndex outside control arrays
    std::int32_t tab_panel_index;
    WindowObject* window;  // the window that owns it; no reference
    NativeView* view;
    void* pane;  // the native side, once made
    ControlObject* parent_canvas;  // the last enclosing Canvas; no reference
    RuntimeString* balloon_help;
    RuntimeString* disabled_balloon_help;
    RuntimeObject* mouse_cursor;
    ShortRect rect;  // window client coordinates
    std::uint8_t visible, enabled, auto_deactivate, lock_left;
    std::uint8_t lock_top, lock_right, lock_bottom, unused;
    void* notifier;
    std::uint32_t reserved;
};
static_assert(sizeof(ControlObject) == 88, "a Control is 88 bytes");

inline ControlObject* as_control(RuntimeObject* object) { return reinterpret_cast<ControlObject*>(object); }

// True for objects of Control (and its subclasses), RectControl, Canvas.
bool is_control(const RuntimeObject* object);
bool is_rect_control(const RuntimeObject* object);
bool is_canvas(const RuntimeObject* object);
