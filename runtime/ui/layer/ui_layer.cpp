#include "layer/ui_layer.h"

#include "controls/canvas/canvas.h"
#include "controls/check_box/check_box.h"
#include "controls/control_class.h"
#include "controls/list_box/list_class.h"
#include "controls/edit_field/edit_field.h"
#include "controls/progress_bar/progress_bar.h"
#include "controls/push_button/push_button.h"
#include "controls/static_text/static_text.h"
#include "controls/text_style.h"
#include "layer/interface_colours.h"
#include "layer/ui_thread.h"
#include "media/media_classes.h"
#include "media/media_layer.h"
#include "menus/menu_layer.h"
#include "objects/builtin_classes.h"
#include "panes/binders.h"
#include "panes/keyboard.h"
#include "panes/mouse_cursors.h"
#include "panes/pane_events.h"
#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "panes/pane_procedure.h"
#include "shapes/shapes.h"
#include "startup/project_settings.h"
#include "startup/ui_services.h"
#include "strings/runtime_string.h"
#include "windows/mdi_frame.h"
#include "windows/native_view.h"
#include "windows/window_class.h"
#include "windows/window_events.h"
#include "windows/window_operations.h"
#include "windows/window_procedure.h"

namespace {

void describe_classes() {
    window_events_describe();
    window_class_describe();
    control_classes_describe();
    list_box_class_describe();
    edit_field_describe();
    static_text_describe();
    push_button_describe();
    check_box_describe();
    progress_bar_describe();
    shapes_describe();
    canvas_class_describe();
    media_classes_describe();
    pane_events_describe();
    binders_describe();
    menus_describe_classes();
}

bool window_list_empty() { return runtime_views_first() == nullptr; }

// The first view whose closing has not begun; null when none is left.
NativeView* first_view_to_close() {
    for (NativeView* v = runtime_views_first(); v; v = v->next_runtime_view)
        if (v->closing != kClosingEvents) return v;
    return nullptr;
}

void close_first_window() {
    if (NativeView* v = first_view_to_close()) view_close(v);
}

void close_all_windows() {
    while (NativeView* v = first_view_to_close()) view_close(v);
}

// A handler may close windows: each turn looks the next one up afresh.
bool any_window_cancels_close() {
    for (std::int32_t n = 0;; ++n) {
        RuntimeObject* window = getWindow(n);
        if (!window) return false;
        bool refused = fire_boolean_event(window, g_window_events.cancel_close);
        RuntimeUnlockObject(window);
        if (refused) return true;
    }
}

void refresh_windows() {
    views_walk_show_list();
    for (NativeView* v = views_first(); v; v = v->next_view) UpdateWindow(v->hwnd);
}

HWND message_owner() {
    if (NativeView* active = view_of(GetActiveWindow())) return active->hwnd;
    if (HWND frame = mdi_frame()) return frame;
    RuntimeObject* front = getWindow(0);
    HWND owner = front ? as_window(front)->view->hwnd : nullptr;
    RuntimeUnlockObject(front);
    return owner;
}

const char* message_caption() {
    const ProjectSettings& settings = project_settings();
    return settings.mdi && settings.title ? string_cstr(settings.title) : "Message";
}

}  // namespace

void ui_layer_install() {
    ui_thread_remember();
    UiServices& ui = ui_services();
    ui.window_procedure = window_procedure;
    ui.pane_procedure = pane_procedure;
    ui.handle_message = keyboard_handle_message;
    ui.track_mouse = mouse_track;
    ui.control_tracks_mouse = mouse_tracking;
    ui.focus_idle = focus_idle;
    mouse_cursors_install();
    ui.init_colours = interface_colours_read;
    ui.describe_classes = describe_classes;
    ui.walk_show_list = views_walk_show_list;
    ui.window_list_empty = window_list_empty;
    ui.close_first_window = close_first_window;
    ui.any_window_cancels_close = any_window_cancels_close;
    ui.close_all_windows = close_all_windows;
    ui.stop_media = media_shutdown;
    ui.refresh_windows = refresh_windows;
    ui.create_mdi_frame = mdi_frame_create;
    ui.mdi_client = mdi_client;
    ui.message_owner = message_owner;
    ui.message_caption = message_caption;
    ui.set_default_font = text_style_set_default;
    ui.build_menu_bar = menus_build_from_project;
    menus_install();
}
