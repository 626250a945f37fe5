// The native view: the Win32 window behind a window object, which shows it,
// receives its messages and turns them into the window's events.
#pragma once

#include <windows.h>

#include <cstdint>

#include "windows/window_object.h"

struct RuntimeString;

struct NativeView {
    HWND hwnd;
    HDC paint_dc;       // while painting
    void* first_pane;   // the panes of the window's controls
    std::uint8_t style;  // view style 0-9
    ShortRect client;   // screen coordinates of the client area
    std::int16_t client_width, client_height;
    std::uint8_t shown;  // meant to be visible; the next loop pass shows it
    std::uint8_t grow, active, closing, deferred_resize;
    std::uint8_t opening;  // until the window's Open has run
    std::uint8_t has_back_colour;
    std::uint32_t back_colour;  // 0xRRGGBB
    RuntimeString* title;
    WindowObject* window;             // one reference
    RuntimeObject** instance_slot;    // the implicit instance, or null
    void* drop_target;
    void* focus_pane;
    NativeView* next_view;          // all views, newest first
    NativeView* next_runtime_view;  // runtime views, newest first
    std::uint8_t mdi_child, owns_menu_bar, modal, mouse_captured;
    std::uint8_t native_gone;  // the system destroyed the native window while Close events ran
};

// The closing flag: Close events running, then done.
constexpr std::uint8_t kClosingEvents = 1, kClosingDone = 2;

// The view of a native window of the runtime ("TVWindow", "TV_MDICHILD"),
// or null for any other window.
NativeView* view_of(HWND window);
NativeView* views_first();
NativeView* runtime_views_first();
std::uint32_t runtime_view_count();

// Creates the view of `window` with the window's title, rectangle and flags
// (and links both ways); null when the native window could not be made.
NativeView* view_create(WindowObject* window, int view_style, RuntimeObject** instance_slot);
// The window's Open has run: resizes are no longer deferred, and the
// backdrop shows what Open drew into it.
void view_opened(NativeView* view);
// A close request: CancelClose first; true refuses it.
void view_request_close(NativeView* view);
// The close operation: Close events once, then the controls released and
// the view destroyed.
void view_close(NativeView* view);
// Destroys a view that never opened, without events.
void view_discard(NativeView* view);
// Closing steps 3-4 for a native window that the system already destroyed.
void view_native_destroyed(NativeView* view);

// Shows every view that is meant to be visible, once its layout is current.
void views_walk_show_list();
// True while a window on the modal list is visible (other than `except`).
bool modal_window_visible(HWND except);

// The view's back colour as the window now wants it.
void view_set_back_colour(NativeView* view, bool has_back_colour, std::uint32_t colour);
// Whether the native window carries a menu bar.
bool view_has_menu(const NativeView* view);
// The client rectangle as stored, in screen coordinates, to the native window.
void view_apply_client_rect(NativeView* view);

// The owner of a new window of an owned style.
HWND view_owner_for_new_window();
// The menu bar the application gave the windows (null until it has one).
HMENU application_menu_bar();
void application_menu_bar_set(HMENU menu);
