// "TV_Pane": the child windows of panes that draw themselves. Window data
// slot 0 holds the pane.
#pragma once

#include <windows.h>

LRESULT CALLBACK pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
