// Drawing a window into a device context as WM_PRINT asks: its background,
// its client area (WM_PRINTCLIENT), then each visible child window at its
// place, the bottom one first. The system's own handling leaves child
// windows out on some versions; the runtime's windows print through this.
#pragma once

#include <windows.h>

void print_window(HWND hwnd, HDC dc, LPARAM flags);
