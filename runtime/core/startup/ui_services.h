// What the start-up code and the main loop ask of the window layer. The
// window, pane and control code installs its own functions at start-up;
// until then there are no windows, so every service has nothing to do.
#pragma once

#include <windows.h>

struct RuntimeObject;
struct RuntimeString;

struct UiServices {
    WNDPROC window_procedure;  // "TVWindow"
    WNDPROC pane_procedure;    // "TV_Pane"
    void (*init_colours)();    // the six interface colours
    void (*describe_classes)();  // properties and events of the window and control classes
    void (*set_default_font)(const char* name, int size);
    // Multiple-document frame; false when it could not be made.
    bool (*create_mdi_frame)(RuntimeString* title, int width, int height);
    HWND (*mdi_client)();  // null without a frame

    void (*drain_drop_queue)();
    void (*walk_show_list)();
    bool (*control_tracks_mouse)();
    void (*track_mouse)(POINT cursor);
    // True when keyboard or dialog handling consumed the message.
    bool (*handle_message)(MSG* message);
    void (*run_deferred_destruction)();
    void (*focus_idle)();
    void (*serve_ports_and_sockets)();

    bool (*window_list_empty)();
    void (*close_first_window)();
    // ApplicationQuit: true when one window's CancelClose refused.
    bool (*any_window_cancels_close)();
    void (*close_all_windows)();
    void (*stop_media)();

    // RuntimeBackgroundTask: windows waiting to be shown appear and damaged
    // ones repaint, without reading input.
    void (*refresh_windows)();
    // What message boxes hang off (null: none), and their caption.
    HWND (*message_owner)();
    const char* (*message_caption)();
    // RuntimeInit, once the project items are read: the menu bar from its stream.
    void (*build_menu_bar)();
};

UiServices& ui_services();
