// The system taskbar, hidden while the application is active in a window
// without menu bar. Once hidden, it is shown again when the program ends,
// however it ends.
#pragma once

void taskbar_hide();
// Shows it without activating it, if this program hid it.
void taskbar_show_again();
