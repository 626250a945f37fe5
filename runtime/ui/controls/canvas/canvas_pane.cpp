#include "canvas_pane.h"

#include "canvas.h"
#include "drawing/colour.h"
#include "drawing/graphics.h"
#include "drawing/picture.h"
#include "drawing/picture_entry_points.h"
#include "objects/builtin_classes.h"
#include "objects/code_lookup.h"
#include "panes/pane.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

namespace {

// What the window shows behind it: the canvas has no colour of its own.
void fill_like_window(const NativeView* view, HDC dc, const RECT& area) {
    if (view->has_back_colour) {
        HBRUSH brush = CreateSolidBrush(colour_for_gdi(colour_widen(view->back_colour)));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    } else {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void draw_backdrop(RuntimeObject* picture, HDC dc) {
    if (!picture || !object_isa(picture, builtin_class(BuiltinClass::Picture))) return;
    const RECT whole = {0, 0, pictureWidthGetter(picture, 0), pictureHeightGetter(picture, 0)};
    picture_draw(picture, dc, whole, whole);
}

class CanvasPane : public Pane {
public:
    using Pane::Pane;

    // The Paint handler may close the window, and this pane with it: what
    // is needed afterwards is taken first.
    void draw(HDC dc) override {
        const RECT area = {0, 0, width, height};
        fill_like_window(owner, dc, area);
        auto* canvas = reinterpret_cast<CanvasObject*>(control);
        draw_backdrop(canvas->backdrop, dc);
        RuntimeObject* object = RuntimeLockObject(&canvas->control.header);
        if (event_lookup(object, g_canvas_events.paint)) {
            SetTextAlign(dc, TA_BASELINE);
            RuntimeObject* g = graphics_for_dc(dc, area.right, area.bottom);
            fire_object_event(object, g_canvas_events.paint, g);
            graphics_detach(g);
            RuntimeUnlockObject(g);
        }
        RuntimeUnlockObject(object);
    }

    bool mouse_down(int x, int y, std::int32_t) override {
        return fire_boolean_point_event(&control->header, g_canvas_events.mouse_down, x - rect.left, y - rect.top);
    }
    void mouse_drag(int x, int y) override {
        fire_point_event(&control->header, g_canvas_events.mouse_drag, x - rect.left, y - rect.top);
    }
    void mouse_up(int x, int y) override {
        fire_point_event(&control->header, g_canvas_events.mouse_up, x - rect.left, y - rect.top);
    }
};

}  // namespace

void canvas_create_pane(RuntimeObject* object) {
    ControlObject* canvas = as_control(object);
    auto* pane = new CanvasPane(canvas);
    // Canvases inside it are its child windows: its drawing stays off them.
    const PaneCreation how = {canvas->rect, nullptr, "", "TV_Pane", WS_CLIPCHILDREN, 0};
    if (pane->create(how)) canvas->pane = pane;
    else delete pane;
}
