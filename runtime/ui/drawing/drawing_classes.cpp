#include "drawing_classes.h"

#include <cstdint>

#include "graphics_entry_points.h"
#include "graphics_object.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "picture.h"
#include "picture_entry_points.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;

struct PropertyRow {
    const char* name;
    void* getter;
    void* setter;
};

struct MethodRow {
    const char* name;
    void* code;
};

template <typename F>
void* code(F* f) {
    return reinterpret_cast<void*>(f);
}

template <std::size_t N>
void add_properties(B which, const PropertyRow (&rows)[N]) {
    RuntimeClass* cls = builtin_class(which);
    for (const PropertyRow& row : rows) {
        ClassProperty* p = class_add_property(cls, string_from_cstr(row.name));
        p->getter = row.getter;
        p->setter = row.setter;
    }
}

template <std::size_t N>
void add_methods(B which, const MethodRow (&rows)[N]) {
    RuntimeClass* cls = builtin_class(which);
    for (const MethodRow& row : rows) class_add_method(cls, string_from_cstr(row.name), row.code);
}

void describe_graphics() {
    const PropertyRow properties[] = {
        {"ForeColor", code(graphicsForeColorGetter), code(graphicsForeColorSetter)},
        {"PenWidth", code(graphicsPenWidthGetter), code(graphicsPenWidthSetter)},
        {"PenHeight", code(graphicsPenHeightGetter), code(graphicsPenHeightSetter)},
        {"TextFont", code(graphicsTextFontGetter), code(graphicsTextFontSetter)},
        {"TextSize", code(graphicsTextSizeGetter), code(graphicsTextSizeSetter)},
        {"Bold", code(graphicsBoldGetter), code(graphicsBoldSetter)},
        {"Italic", code(graphicsItalicGetter), code(graphicsItalicSetter)},
        {"Underline", code(graphicsUnderlineGetter), code(graphicsUnderlineSetter)},
        {"Width", code(graphicsWidthGetter), nullptr},
        {"Height", code(graphicsHeightGetter), nullptr},
    };
    const MethodRow methods[] = {
        {"ClearRect", code(RuntimeGraphicsClearRect)},
        {"DrawRect", code(RuntimeGraphicsDrawRect)},
        {"FillRect", code(RuntimeGraphicsFillRect)},
        {"DrawOval", code(RuntimeGraphicsDrawOval)},
        {"FillOval", code(RuntimeGraphicsFillOval)},
        {"DrawRoundRect", code(RuntimeGraphicsDrawRoundRect)},
        {"FillRoundRect", code(RuntimeGraphicsFillRoundRect)},
        {"DrawLine", code(RuntimeGraphicsDrawLine)},
        {"DrawString", code(RuntimeGraphicsDrawString)},
        {"StringWidth", code(RuntimeGraphicsStringWidth)},
        {"TextHeight", code(RuntimeGraphicsTextHeight)},
        {"TextAscent", code(RuntimeGraphicsTextAscent)},
        {"DrawPicture", code(RuntimeGraphicsDrawPicture)},
        {"DrawPolygon", code(graphicsDrawPolygon)},
        {"FillPolygon", code(graphicsFillPolygon)},
        {"DrawStopIcon", code(graphicsDrawStopIcon)},
        {"DrawNoteIcon", code(graphicsDrawNoteIcon)},
        {"DrawCautionIcon", code(graphicsDrawCautionIcon)},
    };
    add_properties(B::Graphics, properties);
    add_methods(B::Graphics, methods);
}

void describe_picture() {
    const PropertyRow properties[] = {
        {"Width", code(pictureWidthGetter), nullptr},
        {"Height", code(pictureHeightGetter), nullptr},
        {"Graphics", code(pictureGraphicsGetter), nullptr},
        {"Transparent", code(pictureTransparentGetter), code(pictureTransparentSetter)},
        {"Mask", code(pictureMaskGetter), nullptr},
        {"ImageCount", code(pictureImageCountGetter), nullptr},
        {"RGBSurface", code(pictureRGBSurfaceGetter), nullptr},
    };
    const MethodRow methods[] = {{"IndexedImage", code(pictureIndexedImage)}};
    add_properties(B::Picture, properties);
    add_methods(B::Picture, methods);
    const MethodRow surface_methods[] = {{"Pixel", code(rgbSurfaceGetPixel)}, {"SetPixel", code(rgbSurfaceSetPixel)}};
    add_methods(B::RGBSurface, surface_methods);
}

bool g_described = false;

}  // namespace

void drawing_classes_describe() {
    if (g_described) return;
    g_described = true;
    builtin_class(B::Graphics)->destructor = graphics_release;
    builtin_class(B::Picture)->destructor = picture_release;
    builtin_class(B::RGBSurface)->destructor = rgb_surface_release;
    describe_graphics();
    describe_picture();
    picture_files_install();
}
