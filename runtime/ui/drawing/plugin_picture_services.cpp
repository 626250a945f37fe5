#include "plugin_picture_services.h"

#include "bmp_format.h"
#include "picture.h"
#include "picture_entry_points.h"

extern "C" {

RuntimeObject* TAVOBuildPictureFromDIB(HGLOBAL dib, std::int32_t free_handle) {
    if (!dib) return nullptr;
    RuntimeObject* picture = nullptr;
    if (const void* bytes = GlobalLock(dib)) {
        picture = bmp_read_packed_dib(static_cast<const std::uint8_t*>(bytes), GlobalSize(dib));
        GlobalUnlock(dib);
    }
    if (free_handle & 0xFF) GlobalFree(dib);
    return picture;
}

RuntimeObject* TAVOBuildPictureFromPictureDescription(const void*) { return nullptr; }

TAVOPictureDescription* lockPictureDescription(RuntimeObject* picture) {
    PictureData* data = picture_data(picture);
    if (!data) return nullptr;
    GdiFlush();
    RuntimeLockObject(picture);
    ++data->plugin_locks;
    return &data->description;
}

void unlockPictureDescription(RuntimeObject* picture) {
    PictureData* data = picture_data(picture);
    // An unlock without a lock would release a reference the plugin never had.
    if (!data || data->plugin_locks == 0) return;
    --data->plugin_locks;
    RuntimeUnlockObject(picture);
}

void TAVOPictureClearCache(RuntimeObject* picture) {
    if (picture_data(picture)) GdiFlush();
}

void drawPicturePrimitive(RuntimeObject* picture, HDC dc, const RECT* target) {
    PictureData* data = picture_data(picture);
    if (!data || !dc || !target) return;
    picture_draw(picture, dc, *target, {0, 0, data->width, data->height});
}

RuntimeObject* pluginPictureGraphicsGetter(RuntimeObject* picture) { return pictureGraphicsGetter(picture, 0); }

}  // extern "C"
