// The Picture and RGBSurface entry points of the export table. Accessors take
// the property selector; a nil picture reads as 0 or nil.
#pragma once

#include <cstdint>

struct RuntimeObject;

extern "C" {
// A white picture; nil for a side of 0 or less or one too large to allocate.
RuntimeObject* newPicture(std::int32_t width, std::int32_t height, std::int32_t depth);
std::int32_t pictureWidthGetter(RuntimeObject* picture, std::int32_t selector);
std::int32_t pictureHeightGetter(RuntimeObject* picture, std::int32_t selector);
// The picture's one Graphics; it draws nothing once the picture is gone.
RuntimeObject* pictureGraphicsGetter(RuntimeObject* picture, std::int32_t selector);
std::int32_t pictureTransparentGetter(RuntimeObject* picture, std::int32_t selector);
void pictureTransparentSetter(RuntimeObject* picture, std::int32_t selector, std::int32_t value);
// A picture of the same size, black (opaque) until drawn into; white
// pixels of it leave the picture's pixels out when it is drawn.
RuntimeObject* pictureMaskGetter(RuntimeObject* picture, std::int32_t selector);
std::int32_t pictureImageCountGetter(RuntimeObject* picture, std::int32_t selector);
RuntimeObject* pictureIndexedImage(RuntimeObject* picture, std::int32_t index);
// A surface over the picture's pixels; it keeps the picture alive.
RuntimeObject* pictureRGBSurfaceGetter(RuntimeObject* picture, std::int32_t selector);
// Points outside the picture read 0 and write nothing.
std::uint32_t rgbSurfaceGetPixel(RuntimeObject* surface, std::int32_t x, std::int32_t y);
void rgbSurfaceSetPixel(RuntimeObject* surface, std::int32_t x, std::int32_t y, std::uint32_t colour);
// The project picture with that id, or nil.
RuntimeObject* RuntimePictureReference(std::int32_t id);
// A BMP file as a new Picture; nil for any other file or one that cannot be read.
RuntimeObject* FolderItemOpenImage(RuntimeObject* item);
// Writes the picture as a BMP file; nothing for a name of another picture
// format. An existing file is replaced only by a complete one.
void FolderItemSaveAsPicture(RuntimeObject* item, RuntimeObject* picture);
}
