// The runtime's GUI thread: windows are made and used on it alone.
#pragma once

void ui_thread_remember();  // the calling thread is the GUI thread
bool on_ui_thread();
