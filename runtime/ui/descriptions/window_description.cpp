#include "descriptions/window_description.h"

#include <windows.h>

#include <cstring>

#include "descriptions/control_dictionary.h"
#include "descriptions/property_tables.h"
#include "descriptions/window_controls.h"
#include "image/image_loader.h"
#include "image/linker.h"
#include "image/packed_reader.h"
#include "objects/builtin_classes.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"
#include "windows/window_accessors.h"
#include "windows/window_styles.h"

namespace {

// With an image loaded, a description must lie wholly in its data block.
bool within_image(const std::uint8_t* description, std::uint32_t& length) {
    const std::uint8_t* base = image_data_base();
    std::memcpy(&length, description, 4);
    if (!base) return true;
    const std::uint32_t size = image_data_size();
    if (description < base || description > base + size || size - (description - base) < 4) return false;
    const std::uint32_t room = size - static_cast<std::uint32_t>(description - base) - 4;
    return length <= room;
}

void show_damage() {
    RuntimeString* text = damaged_image_message("a window description is cut short");
    RuntimeMsgBox(text);
    RuntimeUnlockString(text);
}

void clear_slot(RuntimeObject** slot, RuntimeObject* window) {
    if (slot && *slot == window) {
        *slot = nullptr;
        RuntimeUnlockObject(window);
    }
}

// Steps 3 to 6: the window's own pairs, its frame and its place.
bool read_window_pairs(WindowObject* window, PackedReader& reader, std::int32_t pair_count, bool& full_screen) {
    RuntimeObject* object = as_object(window);
    for (std::int32_t i = 0; i < pair_count; ++i) {
        RuntimeString *name = nullptr, *value = nullptr;
        if (!reader.text(name) || !reader.text(value)) {
            RuntimeUnlockString(name);
            return false;
        }
        if (string_length(name) == 10 && std::memcmp(string_cstr(name), "FullScreen", 10) == 0)
            full_screen = read_boolean(value);
        property_apply(object, name, value);
        RuntimeUnlockString(name);
        RuntimeUnlockString(value);
    }
    return true;
}

void place(WindowObject* window, int default_placement) {
    const std::int32_t placement = window->placement != 0 ? window->placement : default_placement;
    ShortRect& r = window->rect;
    POINT by = placement_offset(placement, r.right, r.bottom, GetSystemMetrics(SM_CXSCREEN));
    r.left = static_cast<std::int16_t>(r.left + by.x);
    r.right = static_cast<std::int16_t>(r.right + by.x);
    r.top = static_cast<std::int16_t>(r.top + by.y);
    r.bottom = static_cast<std::int16_t>(r.bottom + by.y);
    window->saved = r;
    window->before_full_screen = r;
}

// Everything after the private copy exists; nil when the window did not
// survive (closed in an Open event, or a damaged description).
RuntimeObject* build(const std::uint8_t* body, std::uint32_t length, RuntimeObject** slot, bool& full_screen) {
    PackedReader reader(body, length);
    std::int32_t pair_count = 0, class_index = 0;
    if (!reader.packed(pair_count) || !reader.packed(class_index)) {
        show_damage();
        return nullptr;
    }
    RuntimeObject* object = RuntimeNewObject(class_index);
    if (!object) return nullptr;
    if (!object_isa(object, builtin_class(BuiltinClass::Window))) {
        RuntimeUnlockObject(object);
        show_damage();
        return nullptr;
    }
    WindowObject* window = as_window(object);
    if (slot) *slot = RuntimeLockObject(object);
    if (!read_window_pairs(window, reader, pair_count, full_screen)) {
        clear_slot(slot, object);
        RuntimeUnlockObject(object);
        show_damage();
        return nullptr;
    }
    const FrameChoice frame = frame_choice(window->frame);
    place(window, frame.default_placement);
    window->controls = control_dictionary_new();
    NativeView* view = view_create(window, frame.view_style, slot);
    if (view && !window_controls_create(view, reader)) {
        view_discard(view);
        show_damage();
    }
    if (!view) clear_slot(slot, object);
    return object;
}

}  // namespace

extern "C" RuntimeObject* RuntimeCreateWindow(const std::uint8_t* description, RuntimeObject** slot) {
    std::uint32_t length = 0;
    if (!description || !within_image(description, length)) {
        show_damage();
        return nullptr;
    }
    std::uint8_t* body = static_cast<std::uint8_t*>(runtime_alloc(length ? length : 1));
    std::memcpy(body, description + 4, length);
    bool full_screen = false;
    RuntimeObject* window = build(body, length, slot, full_screen);
    runtime_free(body, length ? length : 1);
    if (!window) return nullptr;
    if (full_screen) windowFullScreenSetter(window, 0, true);
    if (as_window(window)->view) return window;
    clear_slot(slot, window);
    RuntimeUnlockObject(window);
    return nullptr;
}
