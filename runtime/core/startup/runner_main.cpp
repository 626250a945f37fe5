// runner.exe: the process entry. The window layer joins first; everything
// the application does happens inside the image's entry point, called from
// process_start.
#include <windows.h>

#include "layer/ui_layer.h"
#include "startup/process.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    ui_layer_install();
    process_start(instance, command_line);
    return 0;
}
