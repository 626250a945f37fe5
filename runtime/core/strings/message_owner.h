// What message boxes hang off: the window layer decides both.
#pragma once

#include <windows.h>

// The runtime's current owner window; null while no window owns boxes.
HWND runtime_owner_window();
// "Message", or the application title in MDI mode.
const char* runtime_message_caption();
