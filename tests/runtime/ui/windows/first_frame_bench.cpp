// Time from process start to the first painted frame of a window titled
// "First frame" whose client centre shows 0x3366CC, as the screen shows it.
//   first_frame_bench PROGRAM.exe [RUNS]
// Prints each run and the median in milliseconds. Run by hand.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK match(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    char title[64] = {};
    GetWindowTextA(h, title, sizeof title);
    if (owner == s->pid && IsWindowVisible(h) && lstrcmpA(title, "First frame") == 0) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

bool painted(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT centre = {client.right / 2, client.bottom / 2};
    ClientToScreen(window, &centre);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    return c == RGB(0x33, 0x66, 0xCC);
}

double one_run(const char* program) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char command[1024];
    lstrcpynA(command, program, sizeof command);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    double ms = -1;
    for (int i = 0; i < 20000; ++i) {
        Search s = {pi.dwProcessId, nullptr};
        EnumWindows(match, reinterpret_cast<LPARAM>(&s));
        if (s.found && painted(s.found)) {
            QueryPerformanceCounter(&now);
            ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame_bench PROGRAM.exe [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = one_run(argv[1]);
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median: %.1f ms\n", times[times.size() / 2]);
    return 0;
}
