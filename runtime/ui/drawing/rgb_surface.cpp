// RGBSurface: direct pixel access to a picture, which it keeps alive.
#include "colour.h"
#include "drawing_classes.h"
#include "objects/builtin_classes.h"
#include "picture.h"
#include "picture_entry_points.h"

namespace {

struct RGBSurfaceObject {
    RuntimeObject header;
    RuntimeObject* picture;  // one reference
    std::uint32_t reserved[5];
};
static_assert(sizeof(RGBSurfaceObject) == 48, "the size of the built-in class");

// The surface's picture data when (x, y) lies inside it; null otherwise.
PictureData* inside(RuntimeObject* surface, std::int32_t x, std::int32_t y) {
    if (!surface) return nullptr;
    PictureData* data = picture_data(reinterpret_cast<RGBSurfaceObject*>(surface)->picture);
    if (!data || x < 0 || y < 0 || x >= data->width || y >= data->height) return nullptr;
    // Drawing through the picture's Graphics may still sit in GDI's batch.
    GdiFlush();
    return data;
}

}  // namespace

void rgb_surface_release(RuntimeObject* surface, RuntimeClass*) {
    RuntimeObject* picture = reinterpret_cast<RGBSurfaceObject*>(surface)->picture;
    reinterpret_cast<RGBSurfaceObject*>(surface)->picture = nullptr;
    RuntimeUnlockObject(picture);
}

extern "C" {

RuntimeObject* pictureRGBSurfaceGetter(RuntimeObject* picture, std::int32_t) {
    if (!picture_data(picture)) return nullptr;
    drawing_classes_describe();
    RuntimeObject* surface = object_new(builtin_class(BuiltinClass::RGBSurface));
    reinterpret_cast<RGBSurfaceObject*>(surface)->picture = RuntimeLockObject(picture);
    return surface;
}

std::uint32_t rgbSurfaceGetPixel(RuntimeObject* surface, std::int32_t x, std::int32_t y) {
    PictureData* data = inside(surface, x, y);
    return data ? colour_from_pixel(picture_pixel(*data, x, y)) : 0;
}

void rgbSurfaceSetPixel(RuntimeObject* surface, std::int32_t x, std::int32_t y, std::uint32_t colour) {
    if (PictureData* data = inside(surface, x, y)) picture_pixel(*data, x, y) = colour & 0xFFFFFF;
}

}  // extern "C"
