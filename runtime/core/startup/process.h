// Process-wide facts handed to the process entry.
#pragma once

#include <windows.h>

struct RuntimeString;

void process_start(HINSTANCE instance, const char* command_line);
HINSTANCE process_instance();
const char* process_command_line();  // without the program name; never null

extern "C" RuntimeString* win32getCommandLine();  // the same text as a new string
