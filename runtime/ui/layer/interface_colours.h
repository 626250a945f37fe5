// The interface colours: system colours read once at start-up, as 0xRRGGBB.
#pragma once

#include <cstdint>

void interface_colours_read();

extern "C" {
std::uint32_t getFrameColor();       // window frames (COLOR_WINDOWFRAME)
std::uint32_t getFillColor();        // control faces (COLOR_BTNFACE)
std::uint32_t getTextColor();        // text on faces (COLOR_BTNTEXT)
std::uint32_t getLightTingeColor();  // COLOR_3DLIGHT
std::uint32_t getDarkTingeColor();   // COLOR_BTNSHADOW
std::uint32_t getLightBevelColor();  // COLOR_BTNHIGHLIGHT
std::uint32_t getDarkBevelColor();   // COLOR_3DDKSHADOW
std::uint32_t getHilightColor();     // selections (COLOR_HIGHLIGHT)
}
