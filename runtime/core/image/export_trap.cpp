#include "image/export_trap.h"

#include <windows.h>

#include <cstdio>

void export_trap(const char* name) {
    char text[400];
    std::snprintf(text, sizeof text,
                  "The application called the runtime entry point %s, which this runtime does not provide. "
                  "The application must quit now.",
                  name);
    MessageBoxA(nullptr, text, "Message", MB_ICONHAND);
    ExitProcess(kTrapExitCode);
}
