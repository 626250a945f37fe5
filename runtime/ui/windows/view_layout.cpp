#include "windows/view_layout.h"

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "panes/balloon_help.h"
#include "panes/control_panes.h"
#include "windows/mdi_frame.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

namespace {

// Controls locked to the right or bottom edge follow it.
void move_locked_controls(NativeView* view, int dx, int dy) {
    ControlDictionary* controls = view->window->controls;
    if (!controls || (dx == 0 && dy == 0)) return;
    for (DictionaryEntry* e = controls->first; e && !view->closing; e = e->order_next) {
        RuntimeObject* object = e->control;
        if (!object || !is_rect_control(object)) continue;
        ControlObject* c = as_control(object);
        if (c->lock_right) {
            c->rect.right = static_cast<std::int16_t>(c->rect.right + dx);
            if (!c->lock_left) c->rect.left = static_cast<std::int16_t>(c->rect.left + dx);
        }
        if (c->lock_bottom) {
            c->rect.bottom = static_cast<std::int16_t>(c->rect.bottom + dy);
            if (!c->lock_top) c->rect.top = static_cast<std::int16_t>(c->rect.top + dy);
        }
        if (c->lock_right || c->lock_bottom) control_pane_moved(c);
    }
}

void read_native_rect(NativeView* view) {
    RECT client;
    GetClientRect(view->hwnd, &client);
    const POINT origin = view_client_origin(view);
    view->client = {static_cast<std::int16_t>(origin.y), static_cast<std::int16_t>(origin.x),
                    static_cast<std::int16_t>(origin.y + client.bottom),
                    static_cast<std::int16_t>(origin.x + client.right)};
    view->client_width = static_cast<std::int16_t>(client.right);
    view->client_height = static_cast<std::int16_t>(client.bottom);
    view->window->rect = view->client;
}

}  // namespace

POINT view_client_origin(const NativeView* view) {
    POINT origin = {0, 0};
    ClientToScreen(view->hwnd, &origin);
    if (view->mdi_child) ScreenToClient(mdi_client(), &origin);
    return origin;
}

void view_resize(NativeView* view) {
    if (view->closing) return;
    // Controls and handlers are not ready yet: the loop pass that shows
    // the window runs it.
    if (view->opening) {
        view->deferred_resize = 1;
        return;
    }
    view->deferred_resize = 0;
    WindowObject* window = view->window;
    // The controls stand where the last resize left them, whatever the
    // window's rectangle was set to since.
    const int old_width = view->client_width, old_height = view->client_height;
    read_native_rect(view);
    window->saved = window->rect;
    move_locked_controls(view, view->client_width - old_width, view->client_height - old_height);
    balloon_help_apply_window(view);
    if (!view->closing) fire_event(as_object(window), g_window_events.resized);
}

void view_moved(NativeView* view) {
    if (view->closing) return;
    read_native_rect(view);
    fire_event(as_object(view->window), g_window_events.moved);
}

void view_limit_sizing(NativeView* view, WPARAM edge, RECT* r) {
    const WindowObject* w = view->window;
    const int frame_x = GetSystemMetrics(SM_CXFRAME), frame_y = GetSystemMetrics(SM_CYFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    if (w->frame == 3) caption = GetSystemMetrics(SM_CYSMCAPTION);
    if (w->frame == 4) caption = 0;
    if (view->owns_menu_bar && GetMenu(view->hwnd)) caption += GetSystemMetrics(SM_CYMENU);
    auto clamp = [](int size, int low, int high) {
        if (low > 0 && size < low) size = low;
        if (high > 0 && size > high) size = high;
        return size;
    };
    const int width = clamp(r->right - r->left - 2 * frame_x, w->min_width, w->max_width) + 2 * frame_x;
    const int height = clamp(r->bottom - r->top - 2 * frame_y - caption, w->min_height, w->max_height) + 2 * frame_y + caption;
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    if (left) r->left = r->right - width;
    if (right) r->right = r->left + width;
    if (top) r->top = r->bottom - height;
    if (bottom) r->bottom = r->top + height;
}
