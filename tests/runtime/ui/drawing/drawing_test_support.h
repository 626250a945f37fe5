// Shared pieces of the drawing tests: pictures to draw into and read back,
// and a check that every object and byte a test made is given back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../../files/files_test_support.h"
#include "drawing/drawing_classes.h"
#include "drawing/graphics_entry_points.h"
#include "drawing/picture.h"
#include "drawing/picture_entry_points.h"
#include "objects/debugger.h"
#include "objects/memory.h"

// A pixel read through an RGBSurface, as application code reads it.
inline std::uint32_t pixel_of(RuntimeObject* picture, int x, int y) {
    Held surface(pictureRGBSurfaceGetter(picture, 0));
    return rgbSurfaceGetPixel(surface, x, y);
}

// The pixels that are not white, as (x, y) pairs.
inline std::vector<POINT> ink_of(RuntimeObject* picture) {
    std::vector<POINT> found;
    PictureData* data = picture_data(picture);
    GdiFlush();
    for (int y = 0; y < data->height; ++y)
        for (int x = 0; x < data->width; ++x)
            if (picture_pixel(*data, x, y) != 0xFFFFFF) found.push_back({x, y});
    return found;
}

// The smallest rectangle (right and bottom inclusive) holding the ink; all
// -1 without ink.
inline RECT ink_bounds_of(RuntimeObject* picture) {
    RECT r = {-1, -1, -1, -1};
    for (const POINT& p : ink_of(picture)) {
        if (r.left < 0 || p.x < r.left) r.left = p.x;
        if (r.top < 0 || p.y < r.top) r.top = p.y;
        if (p.x > r.right) r.right = p.x;
        if (p.y > r.bottom) r.bottom = p.y;
    }
    return r;
}

// A picture and its Graphics, white to begin with.
struct DrawnPicture {
    Held picture;
    Held graphics;
    DrawnPicture(int width, int height) : picture(newPicture(width, height, 32)), graphics(pictureGraphicsGetter(picture, 0)) {}
    std::uint32_t at(int x, int y) const { return pixel_of(picture, x, y); }
    std::vector<POINT> ink() const { return ink_of(picture); }
    RECT ink_bounds() const { return ink_bounds_of(picture); }
};

inline std::string rect_text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Live objects and allocated bytes must be back where they were.
class LeakChecked : public ::testing::Test {
protected:
    void SetUp() override {
        drawing_classes_describe();  // the members it adds stay for good
        objects_ = RuntimeDebugObjectCount(nullptr);
        bytes_ = runtime_memory_use();
    }
    void TearDown() override {
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_);
        const RuntimeMemoryUse now = runtime_memory_use();
        EXPECT_EQ(now.small_bytes, bytes_.small_bytes);
        EXPECT_EQ(now.large_bytes, bytes_.large_bytes);
    }

private:
    std::int32_t objects_ = 0;
    RuntimeMemoryUse bytes_ = {};
};
