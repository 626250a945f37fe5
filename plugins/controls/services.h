// The runtime services the controls call, reached only through the
// resolver. Each is looked up once, when the plugin is entered, and kept;
// a runtime that lacks one of them gets no controls at all.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin_interface.h"

struct Services {
    void (*register_control)(TAVOControlDefinition* definition);
    void (*register_version)(std::int32_t version);
    void* (*default_font)();
    void* (*default_caption)();
    std::int32_t (*default_font_size)();
    void (*lock_object)(void* object);
    void (*unlock_object)(void* object);
    void (*lock_string)(void* string);
    void (*unlock_string)(void* string);
    const char* (*string_text)(void* string);
    void* (*interface_routine)(void* object, const char* interface_name, const char* routine);
    TAVOPictureDescription* (*lock_picture)(void* picture);
    void (*unlock_picture)(void* picture);
    void (*draw_picture)(void* picture, HDC dc, const RECT* target);
    void* (*event_instance)(void* control, void* event_handle);
    void (*control_bounds)(void* control, std::int16_t* top_left_bottom_right);
    std::uint8_t (*control_visible)(void* control);
    std::uint8_t (*control_enabled)(void* control, std::int32_t selector);
    void* (*control_graphics)(void* control);
    std::int32_t (*win32_charset)();
    HDC (*graphics_dc)(void* graphics);
    HWND (*control_hwnd)(void* control);
    void (*invalidate_control)(void* control);
    void (*special_background)(void* control, std::uint32_t* colour);
};

// Looks every service up; false when one is missing.
bool services_resolve(TAVOResolver resolver);
const Services& services();
