// The repaint of a window holding 100 BevelButtons (or other controls of
// tavoctl1): prints the best and the median of 20 full repaints (every pane
// painted before the time is read), and this process's processor time for
// one. Run by hand:
//   bevel_bench [CLASS]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../../runtime/ui/descriptions/window_test_support.h"
#include "descriptions/window_description.h"
#include "plugin_classes.h"
#include "plugin_host.h"
#include "plugin_records.h"
#include "startup/main_loop.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

void pump() {
    MSG m;
    for (int guard = 0; guard < 10000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
}

// This process's user and kernel time: the machine may be busy with others.
double processor_ms() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "BevelButton";
    window_layer_ready();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ui_services().pane_procedure;
    wc.cbWndExtra = 4;
    wc.hInstance = process_instance();
    wc.lpszClassName = "TV_Pane";
    RegisterClassA(&wc);
    plugin_host_connect();
    std::string path = std::string("Z:") + CONTROLS_PLUGIN;
    for (char& c : path)
        if (c == '/') c = '\\';
    if (!plugin_load(path.c_str())) {
        std::printf("cannot load %s\n", path.c_str());
        return 1;
    }
    static RuntimeClass* classes[2] = {test_class("BenchHost", BuiltinClass::Window),
                                       nullptr};
    classes[1] = plugin_host_class_named(kind, std::strlen(kind));
    if (!classes[1]) return 1;
    class_table_install(classes, 2);
    std::vector<ControlEntry> controls;
    for (int i = 0; i < 100; ++i) {
        controls.push_back({1,
                            {{"Name", "B" + std::to_string(i)},
                             {"Left", std::to_string(10 + (i % 10) * 64)},
                             {"Top", std::to_string(10 + (i / 10) * 28)},
                             {"Width", "60"},
                             {"Height", "24"}}});
    }
    const auto description = window_description(
        0, {{"Title", "Bevel bench"}, {"Left", "20"}, {"Top", "20"}, {"Width", "660"}, {"Height", "300"}}, controls);
    RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
    ui_services().walk_show_list();
    pump();
    HWND hwnd = as_window(window)->view->hwnd;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    const double cpu_before = processor_ms();
    for (int round = 0; round < 20; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
        pump();
    }
    const double cpu_per_round = (processor_ms() - cpu_before) / 20;
    std::sort(ms.begin(), ms.end());
    std::printf("100 %ss repainted: best %.2f ms, median %.2f ms, processor time %.2f ms a repaint\n", kind, ms.front(),
                ms[ms.size() / 2], cpu_per_round);
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    pump();
    return 0;
}
