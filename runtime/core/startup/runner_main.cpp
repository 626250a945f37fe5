// runner.exe: the process entry. Everything the application does happens
// inside the image's entry point, called from process_start.
#include <windows.h>

#include "startup/process.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    process_start(instance, command_line);
    return 0;
}
