// Plugin controls on windows made in-process: the window layer with the
// plugin host, a window of the tests' host class (class index 0) holding
// controls, and real input posted to the native windows under a point.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ui/descriptions/window_test_support.h"
#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "objects/debugger.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "plugin_host.h"
#include "startup/main_loop.h"
#include "startup/periodic_tasks.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

struct Placed {
    int class_index;
    int left, top, width, height;
};

inline COLORREF screen_pixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

class PluginWindowTest : public ::testing::Test {
protected:
    // Called by the tests' SetUp once their classes are installed, window
    // class first. The first window makes caches that last; they are not
    // the tests' to count.
    void begin(int warm_up_class) {
        static bool warm = [this, warm_up_class] {
            close(open({{warm_up_class, 20, 30, 60, 40}}));
            return true;
        }();
        (void)warm;
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
        pump();
        objects_before_ = RuntimeDebugObjectCount(nullptr);
        bytes_before_ = RuntimeDebugMemoryUsed();
    }
    void TearDown() override {
        pump();
        EXPECT_FALSE(mouse_tracking()) << "the capture outlived its window";
        EXPECT_EQ(focus_pane(), nullptr);
        EXPECT_FALSE(periodic_tasks_pending()) << "an idle task outlived its pane";
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before_) << "live objects left behind";
        EXPECT_EQ(RuntimeDebugMemoryUsed(), bytes_before_) << "runtime memory left behind";
    }

    static void pump() {
        MSG m;
        for (int guard = 0; guard < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
    }
    static void pump_for(DWORD ms) {
        const DWORD until = GetTickCount() + ms;
        while (static_cast<LONG>(until - GetTickCount()) > 0) {
            pump();
            timer_service();
            Sleep(5);
        }
    }

    RuntimeObject* open(const std::vector<Placed>& placed) {
        std::vector<ControlEntry> controls;
        int n = 0;
        for (const Placed& p : placed) {
            controls.push_back({p.class_index,
                                {{"Name", "C" + std::to_string(n++)},
                                 {"Left", std::to_string(p.left)},
                                 {"Top", std::to_string(p.top)},
                                 {"Width", std::to_string(p.width)},
                                 {"Height", std::to_string(p.height)}}});
        }
        const auto description = window_description(
            0, {{"Title", "Plugin controls"}, {"Left", "40"}, {"Top", "60"}, {"Width", "300"}, {"Height", "200"}},
            controls);
        RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
        ui_services().walk_show_list();
        pump();
        if (window && as_window(window)->view) {
            SetForegroundWindow(hwnd(window));
            pump();
        }
        return window;
    }
    static void close(RuntimeObject* window) {
        RuntimeCloseWindow(window);
        RuntimeUnlockObject(window);
        pump();
    }
    static HWND hwnd(RuntimeObject* window) { return as_window(window)->view->hwnd; }
    static RuntimeObject* control(RuntimeObject* window, int n) {
        DictionaryEntry* e = as_window(window)->controls->first;
        while (n-- > 0) e = e->order_next;
        return e->control;
    }
    static Pane* pane(RuntimeObject* window, int n) { return static_cast<Pane*>(as_control(control(window, n))->pane); }

    // Posted to the native window under the client point, or the one holding the capture.
    static void post_mouse(RuntimeObject* window, UINT message, int x, int y, WPARAM flags = 0) {
        HWND h = hwnd(window);
        POINT p = {x, y};
        if (HWND captured = GetCapture()) {
            MapWindowPoints(h, captured, &p, 1);
            h = captured;
        } else {
            for (;;) {
                HWND child = ChildWindowFromPointEx(h, p, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
                if (!child || child == h) break;
                MapWindowPoints(h, child, &p, 1);
                h = child;
            }
        }
        PostMessageA(h, message, flags, MAKELPARAM(p.x, p.y));
        pump();
    }
    static void key(RuntimeObject* window, UINT virtual_key) {
        SetForegroundWindow(hwnd(window));
        pump();
        Pane* focus = focus_pane();
        HWND target = focus && focus->native ? focus->native : hwnd(window);
        PostMessageA(target, WM_KEYDOWN, virtual_key, 1);
        PostMessageA(target, WM_KEYUP, virtual_key, 0xC0000001);
        pump();
    }

    std::int32_t objects_before_ = 0;
    std::uint32_t bytes_before_ = 0;
};

// The window layer as start-up makes it, with the plugin host connected.
inline void plugin_window_layer_ready() {
    static bool ready = [] {
        window_layer_ready();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ui_services().pane_procedure;
        wc.cbWndExtra = 4;
        wc.hInstance = process_instance();
        wc.lpszClassName = "TV_Pane";
        RegisterClassA(&wc);
        plugin_host_connect();
        return true;
    }();
    (void)ready;
}

