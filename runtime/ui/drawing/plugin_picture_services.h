// The picture services that plugins reach through the resolver.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin_interface.h"

struct RuntimeObject;

extern "C" {
// A new Picture from a packed DIB in global memory, freed with GlobalFree
// when `free_handle` (8-bit) is set; nil for a null handle or a damaged DIB.
RuntimeObject* TAVOBuildPictureFromDIB(HGLOBAL dib, std::int32_t free_handle);
// There is no platform picture description to build from: always nil.
RuntimeObject* TAVOBuildPictureFromPictureDescription(const void* description);
// The picture's description, valid until the matching unlock; each lock
// holds one reference to the picture. Null for nil.
TAVOPictureDescription* lockPictureDescription(RuntimeObject* picture);
void unlockPictureDescription(RuntimeObject* picture);
// Makes GDI's drawing and direct pixel writes agree.
void TAVOPictureClearCache(RuntimeObject* picture);
// Draws the whole picture stretched over `target` of `dc`.
void drawPicturePrimitive(RuntimeObject* picture, HDC dc, const RECT* target);
RuntimeObject* pluginPictureGraphicsGetter(RuntimeObject* picture);
}
