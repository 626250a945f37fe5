#include "startup/main_loop.h"

#include <windows.h>
#include <ole2.h>

#include "objects/final_release.h"
#include "startup/periodic_tasks.h"
#include "startup/project_settings.h"
#include "startup/ui_services.h"

namespace {

bool g_quit = false;
bool g_in_loop = false;
POINT g_last_cursor = {-1, -1};

// The MDI frame keeps the program alive; a frame that could not be made
// does not.
bool has_windows(const UiServices& ui) {
    return (project_settings().mdi && ui.mdi_client()) || !ui.window_list_empty();
}

}  // namespace

void main_loop_pass() {
    UiServices& ui = ui_services();
    g_in_loop = true;
    ui.drain_drop_queue();
    ui.walk_show_list();

    MSG message;
    bool received;
    // Waiting for a message only makes sense while something can send one;
    // without any window a wait would never end.
    if (ui.control_tracks_mouse() || periodic_tasks_pending() || !has_windows(ui)) {
        received = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    } else {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        received = got > 0;
        if (got == 0) g_quit = true;
    }
    if (received && message.message == WM_QUIT) g_quit = true;
    if (received && message.message != WM_QUIT) {
        POINT cursor;
        if (GetCursorPos(&cursor) && (cursor.x != g_last_cursor.x || cursor.y != g_last_cursor.y)) {
            g_last_cursor = cursor;
            ui.track_mouse(cursor);
        }
        HWND client = ui.mdi_client();
        bool consumed = ui.handle_message(&message) || (client && TranslateMDISysAccel(client, &message));
        if (!consumed) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    ui.run_deferred_destruction();
    ui.focus_idle();
    ui.serve_ports_and_sockets();
    if (!has_windows(ui)) g_quit = true;
    timer_service();
}

void main_loop_quit() { g_quit = true; }
bool main_loop_quitting() { return g_quit; }
bool main_loop_started() { return g_in_loop; }

extern "C" int RuntimeRun() {
    while (!g_quit) main_loop_pass();
    UiServices& ui = ui_services();
    while (!ui.window_list_empty()) ui.close_first_window();
    OleUninitialize();
    ui.stop_media();
    final_release_run();
    return 0;
}
