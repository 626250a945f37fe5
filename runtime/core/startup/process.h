// Process-wide facts handed to the process entry.
#pragma once

#include <windows.h>

void process_start(HINSTANCE instance, const char* command_line);
HINSTANCE process_instance();
const char* process_command_line();  // without the program name; never null
