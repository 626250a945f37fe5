// The steps of a run. Each option that names a step makes one Step; the
// steps run in the order given, then the driver waits for the program to end.
// A new kind of step is one file defining its parser plus one row in the
// option table of dialog_driver.cpp.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "driver_process.h"

// What the steps share: the program, the deadline, and the window that
// --window chose for the steps after it.
struct Session {
    Program& program;
    const Deadline& deadline;
    HWND window = nullptr;
    std::wstring window_title;
};

class Step {
public:
    virtual ~Step() = default;
    // `n` counts the steps from 1, for messages. False: the run failed
    // (the step said why).
    virtual bool run(Session& session, size_t n) = 0;
};

// A parser gets the option's value (empty for options without one); bad
// values are usage errors.
using StepParser = std::unique_ptr<Step> (*)(const std::wstring& value);

// Message boxes and file dialogs (driver_dialogs.cpp, driver_file_dialog.cpp).
std::unique_ptr<Step> parse_box_step(const std::wstring& value);
std::unique_ptr<Step> parse_file_dialog_step(const std::wstring& value);
// The shell's folder browser (driver_folder_browser.cpp).
std::unique_ptr<Step> parse_folder_browser_step(const std::wstring& value);
// The first visible dialog window of process `pid`, or null.
HWND find_dialog(DWORD pid);
// "TITLE|TEXT" of a dialog, in the notation of --box.
std::string describe_dialog(HWND dialog);
// Waits until `window` is gone or hidden, or the program ended; false after `ms`.
bool wait_gone(const Program& program, HWND window, DWORD ms);

// Windows (driver_windows.cpp).
std::unique_ptr<Step> parse_window_step(const std::wstring& value);
std::unique_ptr<Step> parse_close_step(const std::wstring& value);
std::unique_ptr<Step> parse_wait_gone_step(const std::wstring& value);
std::unique_ptr<Step> parse_resize_step(const std::wstring& value);
std::unique_ptr<Step> parse_move_step(const std::wstring& value);
std::unique_ptr<Step> parse_child_text_step(const std::wstring& value);
// A child window's text and whether it is enabled.
std::unique_ptr<Step> parse_child_state_step(const std::wstring& value);
std::unique_ptr<Step> parse_front_step(const std::wstring& value);
// A hidden window raised to the top (driver_raise.cpp).
std::unique_ptr<Step> parse_raise_hidden_step(const std::wstring& value);
std::unique_ptr<Step> parse_click_step(const std::wstring& value);
std::unique_ptr<Step> parse_sleep_step(const std::wstring& value);

// Document windows, and the mouse itself on windows and their borders
// (driver_hardware.cpp).
std::unique_ptr<Step> parse_document_step(const std::wstring& value);
std::unique_ptr<Step> parse_mouse_click_step(const std::wstring& value);
std::unique_ptr<Step> parse_edge_drag_step(const std::wstring& value);
std::unique_ptr<Step> parse_client_size_step(const std::wstring& value);
std::unique_ptr<Step> parse_covers_screen_step(const std::wstring& value);

// The taskbar and the program's end (driver_taskbar.cpp).
std::unique_ptr<Step> parse_taskbar_step(const std::wstring& value);
std::unique_ptr<Step> parse_expect_taskbar_step(const std::wstring& value);
std::unique_ptr<Step> parse_wait_exit_step(const std::wstring& value);

// Files (driver_files.cpp, driver_file_count.cpp).
std::unique_ptr<Step> parse_touch_step(const std::wstring& value);
std::unique_ptr<Step> parse_remove_step(const std::wstring& value);
std::unique_ptr<Step> parse_files_step(const std::wstring& value);

// Real mouse and key input (driver_input.cpp).
std::unique_ptr<Step> parse_left_click_step(const std::wstring& value);
std::unique_ptr<Step> parse_double_click_step(const std::wstring& value);
std::unique_ptr<Step> parse_drag_step(const std::wstring& value);
std::unique_ptr<Step> parse_press_step(const std::wstring& value);
std::unique_ptr<Step> parse_move_to_step(const std::wstring& value);
std::unique_ptr<Step> parse_release_step(const std::wstring& value);

// Hovering and tooltips (driver_hover.cpp).
std::unique_ptr<Step> parse_hover_step(const std::wstring& value);
std::unique_ptr<Step> parse_tooltip_step(const std::wstring& value);
std::unique_ptr<Step> parse_key_step(const std::wstring& value);

// The menu bar and its open menu; real key presses with modifiers (driver_menus.cpp).
std::unique_ptr<Step> parse_menu_step(const std::wstring& value);
std::unique_ptr<Step> parse_menu_items_step(const std::wstring& value);
std::unique_ptr<Step> parse_menu_choose_step(const std::wstring& value);
std::unique_ptr<Step> parse_menu_close_step(const std::wstring& value);
std::unique_ptr<Step> parse_menu_screenshot_step(const std::wstring& value);
std::unique_ptr<Step> parse_shortcut_step(const std::wstring& value);

// The clipboard (driver_clipboard.cpp).
std::unique_ptr<Step> parse_clipboard_step(const std::wstring& value);
std::unique_ptr<Step> parse_empty_clipboard_step(const std::wstring& value);

// Pixels and screenshots (driver_pixels.cpp).
std::unique_ptr<Step> parse_pixel_step(const std::wstring& value);
std::unique_ptr<Step> parse_find_pixel_step(const std::wstring& value);
std::unique_ptr<Step> parse_no_pixel_step(const std::wstring& value);
std::unique_ptr<Step> parse_screenshot_step(const std::wstring& value);
