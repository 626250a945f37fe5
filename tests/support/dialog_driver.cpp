// dialog_driver: starts a program and drives it from outside, the way a
// person at the screen would: answers its message boxes and file dialogs,
// finds, moves, sizes and closes its windows, reads their texts and pixels.
//
//   dialog_driver [--timeout MS] [--expect-exit N] [--no-box] [--raw-args TEXT]
//                 [STEP]... -- PROGRAM.exe [ARGS...]
//
// The steps run in the order given (see the option table below and the
// step files: driver_dialogs.cpp, driver_file_dialog.cpp, driver_folder_browser.cpp,
// driver_windows.cpp, driver_pixels.cpp, driver_taskbar.cpp, driver_menus.cpp,
// driver_file_count.cpp, driver_raise.cpp). A dialog appearing once the steps
// are done is an error; --no-box just says that none is expected. Then the
// exit code must equal --expect-exit (default 0). Exits 0 when everything
// matched, 1 otherwise, 2 on bad usage. --timeout (default 60000 ms) bounds
// the whole run. --raw-args appends TEXT to the program's command line
// exactly as given, for programs that split their command line themselves.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "driver_process.h"
#include "driver_steps.h"
#include "driver_text.h"

namespace {

struct StepOption {
    const wchar_t* name;
    const char* value;  // shown in the usage; null for options without one
    StepParser parse;
};

const StepOption kSteps[] = {
    {L"--box", "TITLE|TEXT|BUTTON", parse_box_step},
    {L"--file-dialog", "PATH", parse_file_dialog_step},
    {L"--folder-browser", "START|PATH|BUTTON", parse_folder_browser_step},
    {L"--window", "TITLE", parse_window_step},
    {L"--close", nullptr, parse_close_step},
    {L"--wait-gone", nullptr, parse_wait_gone_step},
    {L"--resize", "W,H", parse_resize_step},
    {L"--move", "X,Y", parse_move_step},
    {L"--child-text", "CLASS|TEXT", parse_child_text_step},
    {L"--child-state", "CLASS|TEXT|enabled|disabled", parse_child_state_step},
    {L"--front", nullptr, parse_front_step},
    {L"--raise-hidden", "TITLE", parse_raise_hidden_step},
    {L"--document", "TITLE", parse_document_step},
    {L"--mouse-click", "X,Y", parse_mouse_click_step},
    {L"--edge-drag", "EDGE,DX,DY", parse_edge_drag_step},
    {L"--client-size", "W,H", parse_client_size_step},
    {L"--covers-screen", nullptr, parse_covers_screen_step},
    {L"--click", "X,Y", parse_click_step},
    {L"--left-click", "X,Y", parse_left_click_step},
    {L"--double-click", "X,Y", parse_double_click_step},
    {L"--drag", "X1,Y1,X2,Y2", parse_drag_step},
    {L"--press", "X,Y", parse_press_step},
    {L"--move-to", "X,Y", parse_move_to_step},
    {L"--hover", "X,Y", parse_hover_step},
    {L"--tooltip", "TEXT", parse_tooltip_step},
    {L"--release", "X,Y", parse_release_step},
    {L"--key", "KEY", parse_key_step},
    {L"--clipboard", "TEXT", parse_clipboard_step},
    {L"--empty-clipboard", nullptr, parse_empty_clipboard_step},
    {L"--pixel", "X,Y=RRGGBB", parse_pixel_step},
    {L"--find-pixel", "X1,Y1,X2,Y2=RRGGBB", parse_find_pixel_step},
    {L"--no-pixel", "X1,Y1,X2,Y2=RRGGBB", parse_no_pixel_step},
    {L"--screenshot", "FILE.png", parse_screenshot_step},
    {L"--sleep", "MS", parse_sleep_step},
    {L"--taskbar", "show|hide", parse_taskbar_step},
    {L"--expect-taskbar", "shown|hidden", parse_expect_taskbar_step},
    {L"--wait-exit", nullptr, parse_wait_exit_step},
    {L"--touch", "PATH", parse_touch_step},
    {L"--remove", "PATH", parse_remove_step},
    {L"--files", "PATTERN|COUNT[|BYTES[|SOURCE@OFFSET]]", parse_files_step},
    {L"--menu", "N", parse_menu_step},
    {L"--menu-items", "PATTERN", parse_menu_items_step},
    {L"--menu-choose", "K", parse_menu_choose_step},
    {L"--menu-close", nullptr, parse_menu_close_step},
    {L"--menu-screenshot", "FILE.png", parse_menu_screenshot_step},
    {L"--shortcut", "KEYS", parse_shortcut_step},
};

struct Options {
    DWORD timeout_ms = 60000;
    DWORD expect_exit = 0;
    std::wstring raw_args;
    std::vector<std::unique_ptr<Step>> steps;
    std::vector<std::wstring> command;  // program, then its arguments
};

const StepOption* step_option(const std::wstring& name) {
    for (const StepOption& o : kSteps)
        if (name == o.name) return &o;
    return nullptr;
}

Options parse(int argc, wchar_t** argv) {
    Options o;
    bool no_box = false, any_box = false;
    int i = 1;
    for (; i < argc; ++i) {
        std::wstring a = argv[i];
        auto value = [&]() -> const wchar_t* {
            if (i + 1 >= argc) usage("missing value after " + utf8(a));
            return argv[++i];
        };
        if (a == L"--") {
            ++i;
            break;
        } else if (a == L"--timeout") {
            o.timeout_ms = parse_number(value(), "--timeout");
        } else if (a == L"--expect-exit") {
            o.expect_exit = parse_number(value(), "--expect-exit");
        } else if (a == L"--raw-args") {
            o.raw_args = value();
        } else if (a == L"--no-box") {
            no_box = true;
        } else if (const StepOption* step = step_option(a)) {
            o.steps.push_back(step->parse(step->value ? std::wstring(value()) : std::wstring()));
            any_box = any_box || a == L"--box" || a == L"--file-dialog" || a == L"--folder-browser";
        } else {
            usage("unknown option " + utf8(a));
        }
    }
    if (no_box && any_box) usage("--no-box contradicts --box");
    for (; i < argc; ++i) o.command.push_back(argv[i]);
    if (o.command.empty()) usage("no program given after --");
    return o;
}

// After the steps: the program must end without another dialog.
int finish(Session& s, DWORD expect_exit) {
    for (;;) {
        if (s.program.exited()) break;
        if (HWND d = find_dialog(s.program.pid())) {
            Sleep(100);
            say("unexpected box: " + describe_dialog(d));
            return 1;
        }
        if (s.deadline.remaining() == 0) {
            s.deadline.report("waiting for the program to exit");
            return 1;
        }
        s.program.wait(50);
    }
    const DWORD code = s.program.exit_code();
    if (code != expect_exit) {
        say("exit code " + std::to_string(code) + ", expected " + std::to_string(expect_exit));
        return 1;
    }
    say("exit code " + std::to_string(code) + " as expected");
    return 0;
}

int run(const Options& o) {
    Program program;
    Deadline deadline(o.timeout_ms);
    if (!program.start(o.command, o.raw_args)) return 1;
    Session session{program, deadline, nullptr, {}};
    int result = 0;
    for (size_t i = 0; i < o.steps.size() && result == 0; ++i)
        if (!o.steps[i]->run(session, i + 1)) result = 1;
    if (result == 0) result = finish(session, o.expect_exit);
    if (result != 0) program.kill();
    return result;
}

}  // namespace

[[noreturn]] void usage(const std::string& why) {
    std::string steps;
    for (const StepOption& o : kSteps) steps += " [" + utf8(o.name) + (o.value ? std::string(" ") + o.value : "") + "]";
    std::fprintf(stderr,
                 "dialog_driver: %s\n"
                 "usage: dialog_driver [--timeout MS] [--expect-exit N] [--no-box] [--raw-args TEXT]%s..."
                 " -- PROGRAM.exe [ARGS...]\n",
                 why.c_str(), steps.c_str());
    std::exit(2);
}

int wmain(int argc, wchar_t** argv) {
    // Plain \n on a Unix pipe, not the C runtime's \r\n.
    _setmode(_fileno(stdout), _O_BINARY);
    return run(parse(argc, argv));
}
