// The Graphics entry points of the export table. Rectangles are left, top,
// width, height; colours 0x00RRGGBB; accessors take the property selector.
// A nil or detached Graphics draws nothing and reads as 0.
#pragma once

#include <cstdint>

struct RuntimeArray;
struct RuntimeObject;
struct RuntimeString;

extern "C" {
void RuntimeGraphicsClearRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void RuntimeGraphicsDrawRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void RuntimeGraphicsFillRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void RuntimeGraphicsDrawOval(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void RuntimeGraphicsFillOval(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
void RuntimeGraphicsDrawRoundRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                  std::int32_t oval_width, std::int32_t oval_height);
void RuntimeGraphicsFillRoundRect(RuntimeObject* g, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                  std::int32_t oval_width, std::int32_t oval_height);
// Both end points are drawn; a pen wider than 1 x 1 hangs right and below the line.
void RuntimeGraphicsDrawLine(RuntimeObject* g, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// Elements 1 and 2 are the first point's x and y, 3 and 4 the second's, and so on.
void graphicsDrawPolygon(RuntimeObject* g, RuntimeArray* points);
void graphicsFillPolygon(RuntimeObject* g, RuntimeArray* points);
std::uint32_t graphicsPixelGetter(RuntimeObject* g, std::int32_t x, std::int32_t y);
void graphicsPixelSetter(RuntimeObject* g, std::int32_t x, std::int32_t y, std::uint32_t colour);

// Text on its baseline at y; lines break at CR, LF or CR LF, and, with a
// wrap width above 0, before a word that would pass it.
void RuntimeGraphicsDrawString(RuntimeObject* g, RuntimeString* text, std::int32_t x, std::int32_t y,
                               std::int32_t wrap_width);
std::int32_t RuntimeGraphicsStringWidth(RuntimeObject* g, RuntimeString* text);
std::int32_t RuntimeGraphicsTextHeight(RuntimeObject* g);
std::int32_t RuntimeGraphicsTextAscent(RuntimeObject* g);

// A negative width or height is the picture's own (or what is left of it
// from the source point).
void RuntimeGraphicsDrawPicture(RuntimeObject* g, RuntimeObject* picture, std::int32_t x, std::int32_t y,
                                std::int32_t w, std::int32_t h, std::int32_t source_x, std::int32_t source_y,
                                std::int32_t source_w, std::int32_t source_h);

std::uint32_t graphicsForeColorGetter(RuntimeObject* g, std::int32_t selector);
void graphicsForeColorSetter(RuntimeObject* g, std::int32_t selector, std::uint32_t colour);
std::int32_t graphicsPenWidthGetter(RuntimeObject* g, std::int32_t selector);
void graphicsPenWidthSetter(RuntimeObject* g, std::int32_t selector, std::int32_t width);
std::int32_t graphicsPenHeightGetter(RuntimeObject* g, std::int32_t selector);
void graphicsPenHeightSetter(RuntimeObject* g, std::int32_t selector, std::int32_t height);
RuntimeString* graphicsTextFontGetter(RuntimeObject* g, std::int32_t selector);
void graphicsTextFontSetter(RuntimeObject* g, std::int32_t selector, RuntimeString* name);
std::int32_t graphicsTextSizeGetter(RuntimeObject* g, std::int32_t selector);
void graphicsTextSizeSetter(RuntimeObject* g, std::int32_t selector, std::int32_t size);
bool graphicsBoldGetter(RuntimeObject* g, std::int32_t selector);
void graphicsBoldSetter(RuntimeObject* g, std::int32_t selector, std::int32_t on);
bool graphicsItalicGetter(RuntimeObject* g, std::int32_t selector);
void graphicsItalicSetter(RuntimeObject* g, std::int32_t selector, std::int32_t on);
bool graphicsUnderlineGetter(RuntimeObject* g, std::int32_t selector);
void graphicsUnderlineSetter(RuntimeObject* g, std::int32_t selector, std::int32_t on);
std::int32_t graphicsWidthGetter(RuntimeObject* g, std::int32_t selector);
std::int32_t graphicsHeightGetter(RuntimeObject* g, std::int32_t selector);

// The system's 32 x 32 icons with their top-left corner at (x, y).
void graphicsDrawStopIcon(RuntimeObject* g, std::int32_t x, std::int32_t y);
void graphicsDrawNoteIcon(RuntimeObject* g, std::int32_t x, std::int32_t y);
void graphicsDrawCautionIcon(RuntimeObject* g, std::int32_t x, std::int32_t y);

// A Graphics over the window's client area; nil without a native view.
RuntimeObject* windowGraphicsGetter(RuntimeObject* window, std::int32_t selector);
// The window's client area drawn into `g` with its top-left corner at (x, y).
void formDrawInto(RuntimeObject* window, RuntimeObject* g, std::int32_t x, std::int32_t y);

// 0x00RRGGBB from components, each clamped to 0-255.
std::uint32_t RuntimeRGB(std::int32_t red, std::int32_t green, std::int32_t blue);
}
