// What the window steps share: a window's caption read without a message,
// and waiting for the program to catch up.
#pragma once

#include <windows.h>

#include <string>

#include "driver_steps.h"

// How long a check waits for the program to catch up before it fails.
constexpr DWORD kSettleMs = 3000;

// The caption as the system keeps it: read without a message, so that a
// program busy in a long loop still shows its title.
inline std::wstring caption_of(HWND h) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
}

// Polls `ready` until it holds, the program ends or kSettleMs pass.
template <typename Ready>
bool settle(Session& s, Ready ready) {
    const DWORD until = GetTickCount() + kSettleMs;
    for (;;) {
        if (ready()) return true;
        if (s.program.exited() || static_cast<LONG>(until - GetTickCount()) <= 0 || s.deadline.remaining() == 0)
            return false;
        Sleep(30);
    }
}
