#include "picture.h"

#include "drawing_classes.h"
#include "graphics.h"
#include "objects/builtin_classes.h"
#include "objects/memory.h"
#include "picture_entry_points.h"

namespace {

// Larger pictures are refused before GDI is asked: 256 MB of pixels.
constexpr std::uint64_t kMaxPixels = 64u * 1024 * 1024;
constexpr std::uint32_t kWhite = 0xFFFFFF;

bool make_bitmap(PictureData& data) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = data.width;
    info.bmiHeader.biHeight = -data.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    data.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!data.bitmap || !pixels) return false;
    data.dc = CreateCompatibleDC(nullptr);
    if (!data.dc) return false;
    SelectObject(data.dc, data.bitmap);
    data.pixels = static_cast<std::uint32_t*>(pixels);
    return true;
}

void free_data(PictureData* data) {
    if (data->dc) DeleteDC(data->dc);
    if (data->bitmap) DeleteObject(data->bitmap);
    runtime_free(data, sizeof(PictureData));
}

}  // namespace

RuntimeObject* picture_new(std::int32_t width, std::int32_t height, std::int32_t depth) {
    if (width <= 0 || height <= 0) return nullptr;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) return nullptr;
    auto* data = static_cast<PictureData*>(runtime_alloc(sizeof(PictureData)));
    data->width = width;
    data->height = height;
    data->depth = depth;
    if (!make_bitmap(*data)) {
        free_data(data);
        return nullptr;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height);
    for (std::uint32_t i = 0; i < count; ++i) data->pixels[i] = kWhite;
    data->description = {width, height, 32, width * 4, data->pixels, data->bitmap, 0, {0, 0, 0}};
    drawing_classes_describe();
    RuntimeObject* picture = object_new(builtin_class(BuiltinClass::Picture));
    reinterpret_cast<PictureObject*>(picture)->data = data;
    return picture;
}

PictureData* picture_data(RuntimeObject* picture) {
    if (!picture || !object_isa(picture, builtin_class(BuiltinClass::Picture))) return nullptr;
    return reinterpret_cast<PictureObject*>(picture)->data;
}

void picture_release(RuntimeObject* picture, RuntimeClass*) {
    PictureData* data = reinterpret_cast<PictureObject*>(picture)->data;
    if (!data) return;
    reinterpret_cast<PictureObject*>(picture)->data = nullptr;
    project_picture_forget(picture);
    RuntimeObject* graphics = data->graphics;
    RuntimeObject* mask = data->mask;
    graphics_detach(graphics);
    free_data(data);
    RuntimeUnlockObject(graphics);
    RuntimeUnlockObject(mask);
}

extern "C" {

RuntimeObject* newPicture(std::int32_t width, std::int32_t height, std::int32_t depth) {
    return picture_new(width, height, depth);
}

std::int32_t pictureWidthGetter(RuntimeObject* picture, std::int32_t) {
    PictureData* data = picture_data(picture);
    return data ? data->width : 0;
}

std::int32_t pictureHeightGetter(RuntimeObject* picture, std::int32_t) {
    PictureData* data = picture_data(picture);
    return data ? data->height : 0;
}

RuntimeObject* pictureGraphicsGetter(RuntimeObject* picture, std::int32_t) {
    PictureData* data = picture_data(picture);
    if (!data) return nullptr;
    if (!data->graphics) data->graphics = graphics_for_dc(data->dc, data->width, data->height);
    return RuntimeLockObject(data->graphics);
}

std::int32_t pictureTransparentGetter(RuntimeObject* picture, std::int32_t) {
    return picture_data(picture) ? reinterpret_cast<PictureObject*>(picture)->transparent : 0;
}

void pictureTransparentSetter(RuntimeObject* picture, std::int32_t, std::int32_t value) {
    PictureData* data = picture_data(picture);
    if (!data) return;
    reinterpret_cast<PictureObject*>(picture)->transparent = value != 0;
    data->description.transparent = value != 0;
}

RuntimeObject* pictureMaskGetter(RuntimeObject* picture, std::int32_t) {
    PictureData* data = picture_data(picture);
    if (!data) return nullptr;
    if (!data->mask) {
        data->mask = picture_new(data->width, data->height);
        if (PictureData* mask = picture_data(data->mask)) {
            const std::uint32_t count = static_cast<std::uint32_t>(mask->width) * static_cast<std::uint32_t>(mask->height);
            for (std::uint32_t i = 0; i < count; ++i) mask->pixels[i] = 0;
        }
    }
    return RuntimeLockObject(data->mask);
}

std::int32_t pictureImageCountGetter(RuntimeObject* picture, std::int32_t) { return picture_data(picture) ? 1 : 0; }

RuntimeObject* pictureIndexedImage(RuntimeObject* picture, std::int32_t index) {
    return picture_data(picture) && index == 0 ? RuntimeLockObject(picture) : nullptr;
}

}  // extern "C"
