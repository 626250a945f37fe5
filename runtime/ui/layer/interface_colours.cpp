#include "layer/interface_colours.h"

#include <windows.h>

namespace {

enum Colour { kFrame, kFill, kText, kLightTinge, kDarkTinge, kLightBevel, kDarkBevel, kHilight, kCount };
const int kSystemColour[kCount] = {COLOR_WINDOWFRAME, COLOR_BTNFACE,      COLOR_BTNTEXT,      COLOR_3DLIGHT,
                                   COLOR_BTNSHADOW,   COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_HIGHLIGHT};
std::uint32_t g_colours[kCount];

std::uint32_t rgb_of(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

void interface_colours_read() {
    for (int i = 0; i < kCount; ++i) g_colours[i] = rgb_of(GetSysColor(kSystemColour[i]));
}

extern "C" {
std::uint32_t getFrameColor() { return g_colours[kFrame]; }
std::uint32_t getFillColor() { return g_colours[kFill]; }
std::uint32_t getTextColor() { return g_colours[kText]; }
std::uint32_t getLightTingeColor() { return g_colours[kLightTinge]; }
std::uint32_t getDarkTingeColor() { return g_colours[kDarkTinge]; }
std::uint32_t getLightBevelColor() { return g_colours[kLightBevel]; }
std::uint32_t getDarkBevelColor() { return g_colours[kDarkBevel]; }
std::uint32_t getHilightColor() { return g_colours[kHilight]; }
}
