// A small GUI program for testing dialog_driver: shows two message boxes
// and exits with a code that tells which buttons were pressed.
//
//   box_sample BASE [--first TEXT | --quiet | --hang]
//
// Box 1 ("Box sample", OK/Cancel) says "First message" or TEXT; box 2
// ("Second box", Yes/No) has two lines. Exit code: BASE, +1 for Cancel,
// +2 for No. --quiet exits at once with BASE; --hang never exits.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int base = __argc > 1 ? std::atoi(__argv[1]) : 0;
    const char* first = "First message";
    if (__argc > 2 && std::strcmp(__argv[2], "--quiet") == 0) return base;
    if (__argc > 2 && std::strcmp(__argv[2], "--hang") == 0) {
        Sleep(INFINITE);
        return base;
    }
    if (__argc > 3 && std::strcmp(__argv[2], "--first") == 0) first = __argv[3];

    int code = base;
    if (MessageBoxA(nullptr, first, "Box sample", MB_OKCANCEL) == IDCANCEL) code += 1;
    if (MessageBoxA(nullptr, "Line one\nLine two", "Second box", MB_YESNO | MB_ICONQUESTION) == IDNO) code += 2;
    return code;
}
