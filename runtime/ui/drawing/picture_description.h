// What lockPictureDescription shows a plugin of a Picture until the
// matching unlockPictureDescription: its pixels may be read and written in
// place (TAVOPictureClearCache afterwards). Shared with the plugin DLLs, so
// it needs nothing but the standard integer types.
#pragma once

#include <cstdint>

extern "C" {

struct TAVOPictureDescription {
    std::int32_t width;
    std::int32_t height;
    std::int32_t depth;      // bits per pixel: 32, one word 0x00RRGGBB
    std::int32_t row_bytes;  // from one row to the next, the top row first
    void* pixels;
    void* bitmap;              // the DIB section (HBITMAP)
    std::uint8_t transparent;  // white pixels are left out when drawn
    std::uint8_t reserved[3];
};

}  // extern "C"

static_assert(sizeof(void*) != 4 || sizeof(TAVOPictureDescription) == 28, "picture description");
