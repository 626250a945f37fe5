// Picture: a 32-bit top-down DIB section selected into a memory DC of its
// own. Its pixels are 0x00RRGGBB words, row after row from the top, and may
// be read and written directly once GDI's batch has been flushed.
#pragma once

#include <windows.h>

#include <cstdint>

#include "objects/objects.h"
#include "plugin_interface.h"

struct PictureData {
    HBITMAP bitmap;
    HDC dc;
    std::uint32_t* pixels;
    std::int32_t width, height;
    std::int32_t depth;          // as asked for; the pixels are 32-bit whatever it is
    RuntimeObject* graphics;     // made on first use, one reference; it holds none back
    RuntimeObject* mask;         // made on first use, one reference
    std::int32_t plugin_locks;   // references held for lockPictureDescription
    TAVOPictureDescription description;
};

struct PictureObject {
    RuntimeObject header;
    PictureData* data;           // null only while a failed construction unwinds
    std::int32_t id;             // of the project item it came from; 0 otherwise
    std::uint8_t transparent;    // white pixels are not drawn
    std::uint8_t padding[3];
    std::uint32_t reserved;
};
static_assert(sizeof(PictureObject) == 40, "the size of the built-in class");

// A new white picture; nil when a side is 0 or less or the pixels cannot be had.
RuntimeObject* picture_new(std::int32_t width, std::int32_t height, std::int32_t depth = 32);

// The picture's data, null for nil or anything that is not a Picture.
PictureData* picture_data(RuntimeObject* picture);

// The pixel at (x, y); the caller keeps inside the picture.
inline std::uint32_t& picture_pixel(PictureData& data, std::int32_t x, std::int32_t y) {
    return data.pixels[static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(data.width) + x];
}
inline std::uint32_t picture_pixel(const PictureData& data, std::int32_t x, std::int32_t y) {
    return data.pixels[static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(data.width) + x];
}

// Draws the part `source` of the picture stretched over `target` of `dc`,
// leaving out white pixels of a transparent picture and pixels its mask
// marks white.
void picture_draw(RuntimeObject* picture, HDC dc, const RECT& target, const RECT& source);

// The class's destructor.
void picture_release(RuntimeObject* picture, RuntimeClass* cls);
// A project picture going away is no longer found by its id.
void project_picture_forget(RuntimeObject* picture);

// The destructor of RGBSurface, which holds one reference to its picture.
void rgb_surface_release(RuntimeObject* surface, RuntimeClass* cls);
