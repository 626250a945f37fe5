// The window procedures of the application windows: "TVWindow", and
// "TV_MDICHILD" for document windows in multiple-document mode.
#pragma once

#include <windows.h>

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK mdi_child_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
