// Canvases as application code sees them.
#include "canvas.h"
#include "canvas_entry_points.h"
#include "drawing/graphics.h"
#include "objects/builtin_classes.h"
#include "panes/control_panes.h"
#include "panes/pane.h"

namespace {

CanvasObject* canvas_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(BuiltinClass::Canvas))) return nullptr;
    return reinterpret_cast<CanvasObject*>(object);
}

HWND native_of(const CanvasObject* canvas) {
    const Pane* pane = control_pane(&canvas->control);
    return pane ? pane->native : nullptr;
}

}  // namespace

extern "C" {

RuntimeObject* canvasGraphicsGetter(RuntimeObject* object, std::int32_t) {
    CanvasObject* canvas = canvas_of(object);
    HWND native = canvas ? native_of(canvas) : nullptr;
    return native ? graphics_for_window(native) : nullptr;
}

void canvasBackdropSetter(RuntimeObject* object, std::int32_t, RuntimeObject* picture) {
    CanvasObject* canvas = canvas_of(object);
    if (!canvas) return;
    RuntimeObject* old = canvas->backdrop;
    canvas->backdrop = picture && object_isa(picture, builtin_class(BuiltinClass::Picture))
                           ? RuntimeLockObject(picture)
                           : nullptr;
    RuntimeUnlockObject(old);
    if (Pane* pane = control_pane(&canvas->control)) pane->refresh();
}

void canvasScroll(RuntimeObject* object, std::int32_t dx, std::int32_t dy, std::int32_t left, std::int32_t top,
                  std::int32_t width, std::int32_t height) {
    CanvasObject* canvas = canvas_of(object);
    HWND native = canvas ? native_of(canvas) : nullptr;
    if (!native) return;
    RECT client;
    GetClientRect(native, &client);
    RECT area = {left, top, width > 0 ? left + width : client.right, height > 0 ? top + height : client.bottom};
    IntersectRect(&area, &area, &client);
    if (IsRectEmpty(&area)) return;
    // Controls on the canvas keep their places; only its drawing moves.
    ScrollWindowEx(native, dx, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
}

}  // extern "C"
