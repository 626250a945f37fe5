#include "descriptions/window_description.h"

#include <windows.h>

#include <cstring>

#include "descriptions/control_dictionary.h"
#include "descriptions/description_reader.h"
#include "descriptions/property_tables.h"
#include "descriptions/window_controls.h"
#include "image/image_loader.h"
#include "image/linker.h"
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
    const std::uint32_t size = image_data_size();
    if (base && (description < base || description > base + size || size - (description - base) < 4)) return false;
    std::memcpy(&length, description, 4);
    if (!base) return true;
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

// The window of the description: made, given its pairs, placed and shown
// with its controls.
class WindowBuilder final : public WindowSink {
public:
    explicit WindowBuilder(RuntimeObject** slot) : slot_(slot) {}

    bool window(std::int32_t class_index) override {
        RuntimeObject* object = RuntimeNewObject(class_index);
        if (!object) return false;
        if (!object_isa(object, builtin_class(BuiltinClass::Window))) {
            RuntimeUnlockObject(object);
            show_damage();
            return false;
        }
        object_ = object;
        if (slot_) *slot_ = RuntimeLockObject(object);
        return true;
    }

    void window_pair(RuntimeString* name, RuntimeString* value) override {
        if (string_length(name) == 10 && std::memcmp(string_cstr(name), "FullScreen", 10) == 0)
            full_screen_ = read_boolean(value);
        property_apply(object_, name, value);
    }

    ControlsSink* window_done() override {
        WindowObject* window = as_window(object_);
        const FrameChoice frame = frame_choice(window->frame);
        place(window, frame.default_placement);
        window->controls = control_dictionary_new();
        view_ = view_create(window, frame.view_style, slot_);
        if (!view_) {
            clear_slot(slot_, object_);
            return nullptr;
        }
        controls_ = WindowControls(view_);
        return &controls_;
    }

    // The window that survived, or nil (closed in an Open event, or a
    // damaged description).
    RuntimeObject* finish(DescriptionRead read) {
        if (read == DescriptionRead::kDamagedWindow) {
            if (object_) {
                clear_slot(slot_, object_);
                RuntimeUnlockObject(object_);
            }
            show_damage();
            return nullptr;
        }
        if (read == DescriptionRead::kDamagedControls) {
            view_discard(view_);
            show_damage();
        }
        return object_;
    }

    bool full_screen() const { return full_screen_; }

private:
    RuntimeObject** slot_;
    RuntimeObject* object_ = nullptr;
    NativeView* view_ = nullptr;
    WindowControls controls_;
    bool full_screen_ = false;
};

}  // namespace

extern "C" RuntimeObject* RuntimeCreateWindow(const std::uint8_t* description, RuntimeObject** slot) {
    std::uint32_t length = 0;
    if (!description || !within_image(description, length)) {
        show_damage();
        return nullptr;
    }
    std::uint8_t* body = static_cast<std::uint8_t*>(runtime_alloc(length ? length : 1));
    std::memcpy(body, description + 4, length);
    WindowBuilder builder(slot);
    RuntimeObject* window = builder.finish(description_read(body, length, builder));
    runtime_free(body, length ? length : 1);
    if (!window) return nullptr;
    if (builder.full_screen()) windowFullScreenSetter(window, 0, true);
    if (as_window(window)->view) return window;
    clear_slot(slot, window);
    RuntimeUnlockObject(window);
    return nullptr;
}
