// A small GUI program for testing dialog_driver: shows two message boxes
// and exits with a code that tells which buttons were pressed.
//
//   box_sample BASE [--first TEXT | --quiet | --hang | --window]
//
// Box 1 ("Box sample", OK/Cancel) says "First message" or TEXT; box 2
// ("Second box", Yes/No) has two lines. Exit code: BASE, +1 for Cancel,
// +2 for No. --quiet exits at once with BASE; --hang never exits.
// --window shows "Window sample" instead: client area blue (0x3366CC) with
// a static text "Sample text"; closing it exits with BASE + its client width.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

int g_client_width = 0;

LRESULT CALLBACK sample_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            HBRUSH blue = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
            FillRect(reinterpret_cast<HDC>(wparam), &client, blue);
            DeleteObject(blue);
            return 1;
        }
        case WM_SIZE: g_client_width = LOWORD(lparam); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

int show_window(int base) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = sample_procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BoxSampleWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Window sample", WS_OVERLAPPEDWINDOW, 100, 100, 320, 240,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    CreateWindowExA(0, "STATIC", "Sample text", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, window, nullptr,
                    wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return base + g_client_width;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int base = __argc > 1 ? std::atoi(__argv[1]) : 0;
    const char* first = "First message";
    if (__argc > 2 && std::strcmp(__argv[2], "--quiet") == 0) return base;
    if (__argc > 2 && std::strcmp(__argv[2], "--hang") == 0) {
        Sleep(INFINITE);
        return base;
    }
    if (__argc > 2 && std::strcmp(__argv[2], "--window") == 0) return show_window(base);
    if (__argc > 3 && std::strcmp(__argv[2], "--first") == 0) first = __argv[3];

    int code = base;
    if (MessageBoxA(nullptr, first, "Box sample", MB_OKCANCEL) == IDCANCEL) code += 1;
    if (MessageBoxA(nullptr, "Line one\nLine two", "Second box", MB_YESNO | MB_ICONQUESTION) == IDNO) code += 2;
    return code;
}
