// The window procedure of "TVWindow", the class of every application window.
#pragma once

#include <windows.h>

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
