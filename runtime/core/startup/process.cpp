#include "startup/process.h"

#include <commctrl.h>

#include "image/image_loader.h"
#include "objects/runtime_lock.h"
#include "strings/runtime_string.h"

namespace {
HINSTANCE g_instance = nullptr;
const char* g_command_line = "";
}  // namespace

HINSTANCE process_instance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }
const char* process_command_line() { return g_command_line; }

extern "C" RuntimeString* win32getCommandLine() { return string_from_cstr(g_command_line); }

void process_start(HINSTANCE instance, const char* command_line) {
    g_instance = instance;
    g_command_line = command_line ? command_line : "";
    InitCommonControls();
    runtime_lock_init();
    load_and_enter_image();
}
