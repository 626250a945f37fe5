// The services plugin controls call back: bounds, visibility, their native
// window, drawing into them, redrawing, the colour behind them and their
// window. Rectangles are in window coordinates, as the bounds are.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "controls/control_accessors.h"
#include "controls/control_object.h"
#include "drawing/graphics.h"
#include "objects/objects.h"
#include "panes/control_panes.h"
#include "plugin_pane.h"
#include "windows/native_view.h"

namespace {

ControlObject* control_of(RuntimeObject* object) { return object && is_control(object) ? as_control(object) : nullptr; }

Pane* pane_of(RuntimeObject* object) {
    ControlObject* control = control_of(object);
    return control ? control_pane(control) : nullptr;
}

HWND window_hwnd(const ControlObject* control) {
    const NativeView* view = control->window ? control->window->view : nullptr;
    return view ? view->hwnd : nullptr;
}

}  // namespace

extern "C" {

// Top, left, bottom, right as four signed 16-bit values.
void GetControlBounds(RuntimeObject* object, std::int16_t* bounds) {
    const ControlObject* control = control_of(object);
    if (!control || !bounds) return;
    const std::int16_t values[4] = {control->rect.top, control->rect.left, control->rect.bottom, control->rect.right};
    std::memcpy(bounds, values, sizeof values);
}

void PluginGetControlBounds(RuntimeObject* control, std::int16_t* bounds) { GetControlBounds(control, bounds); }

std::uint8_t GetControlVisible(RuntimeObject* object) {
    const ControlObject* control = control_of(object);
    return control ? control->visible : 0;
}

void SetControlVisible(RuntimeObject* control, std::uint8_t visible) {
    if (control_of(control)) ControlVisibleSetter(control, 0, visible != 0);
}

HWND GetControlHWND(RuntimeObject* object) {
    const ControlObject* control = control_of(object);
    if (!control) return nullptr;
    const Pane* pane = control_pane(control);
    return pane && pane->native ? pane->native : window_hwnd(control);
}

// Draws in window coordinates, clipped to the control.
RuntimeObject* TAVOGetControlGraphics(RuntimeObject* object) {
    Pane* pane = pane_of(object);
    if (!pane || !pane->owner) return nullptr;
    RuntimeObject* graphics = graphics_for_window(pane->native ? pane->native : pane->owner->hwnd);
    HDC dc = graphics_dc(graphics);
    if (!dc) return graphics;
    if (pane->native) SetViewportOrgEx(dc, -pane->rect.left, -pane->rect.top, nullptr);
    else IntersectClipRect(dc, pane->rect.left, pane->rect.top, pane->rect.right, pane->rect.bottom);
    return graphics;
}

HDC TAVOGraphicsDC(RuntimeObject* graphics) { return graphics_dc(graphics); }

void TAVOInvalidateControl(RuntimeObject* object) {
    if (Pane* pane = pane_of(object)) pane_invalidate(pane, nullptr);
}

void TAVOInvalidateControlRect(RuntimeObject* object, std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
    Pane* pane = pane_of(object);
    if (!pane || right <= left || bottom <= top) return;
    const RECT area = {left, top, right, bottom};
    pane_invalidate(pane, &area);
}

void TAVOSetSpecialBackground(RuntimeObject* object, std::uint32_t* colour) {
    if (!colour) return;
    const ControlObject* control = control_of(object);
    *colour = control && control->pane ? plugin_control_background(control) : 0xFFFFFF;
}

// One reference for the caller, as every object an entry point returns.
RuntimeObject* getControlWindow(RuntimeObject* object) {
    const ControlObject* control = control_of(object);
    return control ? RuntimeLockObject(as_object(control->window)) : nullptr;
}

}  // extern "C"
