// The properties of Window: getters take (window, selector), setters
// (window, selector, value). Without a view only the fields change.
#pragma once

#include <windows.h>

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
bool WindowVisibleGetter(RuntimeObject* window, std::uint32_t);
void WindowVisibleSetter(RuntimeObject* window, std::uint32_t, bool visible);
std::int32_t windowPosGetter(RuntimeObject* window, std::uint32_t member);  // 0 Left, 1 Top, 2 Width, 3 Height
void windowPosSetter(RuntimeObject* window, std::uint32_t member, std::int32_t value);
std::int32_t windowPlacementGetter(RuntimeObject* window, std::uint32_t);
void windowPlacementSetter(RuntimeObject* window, std::uint32_t, std::int32_t placement);
RuntimeString* windowTitleGetter(RuntimeObject* window, std::uint32_t);
void windowTitleSetter(RuntimeObject* window, std::uint32_t, RuntimeString* title);
bool windowFullScreenGetter(RuntimeObject* window, std::uint32_t);
void windowFullScreenSetter(RuntimeObject* window, std::uint32_t, bool on);
bool windowMenusVisibleGetter(RuntimeObject* window, std::uint32_t);
void windowMenusVisibleSetter(RuntimeObject* window, std::uint32_t, bool visible);
bool windowCloseBoxGetter(RuntimeObject* window, std::uint32_t);
void windowCloseBoxSetter(RuntimeObject* window, std::uint32_t, bool on);
bool windowGrowIconGetter(RuntimeObject* window, std::uint32_t);
void windowGrowIconSetter(RuntimeObject* window, std::uint32_t, bool on);
bool windowZoomIconGetter(RuntimeObject* window, std::uint32_t);
void windowZoomIconSetter(RuntimeObject* window, std::uint32_t, bool on);
std::int32_t windowFrameGetter(RuntimeObject* window, std::uint32_t);
void windowFrameSetter(RuntimeObject* window, std::uint32_t, std::int32_t frame);
RuntimeObject* windowBackdropGetter(RuntimeObject* window, std::uint32_t);
void windowBackdropSetter(RuntimeObject* window, std::uint32_t, RuntimeObject* picture);
bool windowHasBackColorGetter(RuntimeObject* window, std::uint32_t);
void windowHasBackColorSetter(RuntimeObject* window, std::uint32_t, bool on);
std::uint32_t windowBackColorGetter(RuntimeObject* window, std::uint32_t);
void windowBackColorSetter(RuntimeObject* window, std::uint32_t, std::uint32_t colour);
void windowBalloonHelpSetter(RuntimeObject* window, std::uint32_t, RuntimeString* text);
void formMouseCursorSetter(RuntimeObject* window, std::uint32_t, RuntimeObject* cursor);
std::int32_t windowControlCountGetter(RuntimeObject* window, std::uint32_t);
RuntimeObject* windowControl(RuntimeObject* window, std::int32_t n);
std::int32_t windowMouseXGetter(RuntimeObject* window, std::uint32_t);
std::int32_t windowMouseYGetter(RuntimeObject* window, std::uint32_t);
HWND windowHWNDGetter(RuntimeObject* window, std::uint32_t);
HWND windowWindowPtrGetter(RuntimeObject* window, std::uint32_t);
}
