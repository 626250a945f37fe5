// Plugin controls on real windows: the pane the runtime makes for them, the
// calls it makes into their behaviour tables (driven with real input posted
// to the native windows), and the control services plugins call back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../ui/descriptions/window_test_support.h"
#include "controls/control_accessors.h"
#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "objects/debugger.h"
#include "panes/pane.h"
#include "panes/pane_entry_points.h"
#include "panes/pane_focus.h"
#include "panes/pane_mouse.h"
#include "plugin_classes.h"
#include "plugin_host.h"
#include "plugin_records.h"
#include "plugin_test_support.h"
#include "startup/main_loop.h"
#include "startup/periodic_tasks.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

extern "C" {
void GetControlBounds(RuntimeObject*, std::int16_t*);
void PluginGetControlBounds(RuntimeObject*, std::int16_t*);
std::uint8_t GetControlVisible(RuntimeObject*);
void SetControlVisible(RuntimeObject*, std::uint8_t);
HWND GetControlHWND(RuntimeObject*);
RuntimeObject* TAVOGetControlGraphics(RuntimeObject*);
HDC TAVOGraphicsDC(RuntimeObject*);
void TAVOSetSpecialBackground(RuntimeObject*, std::uint32_t*);
RuntimeObject* getControlWindow(RuntimeObject*);
void TAVOInvalidateControlRect(RuntimeObject*, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
}

namespace {

enum { kHost, kFull, kClosing, kIdle, kQuiet, kPaneless, kClassCount };
const char* const kControlClasses[] = {nullptr, "PaneProbe", "ClosingProbe", "IdleProbe", "QuietProbe", "PanelessProbe"};

std::string g_window_log;
bool host_down(RuntimeObject*, std::int32_t x, std::int32_t y) {
    g_window_log += "window down " + std::to_string(x) + "," + std::to_string(y) + ";";
    return false;
}
bool host_key(RuntimeObject*, RuntimeString*) {
    g_window_log += "window key;";
    return false;
}

HMODULE probe_module() {
    static HMODULE module = [] {
        window_layer_ready();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ui_services().pane_procedure;
        wc.cbWndExtra = 4;
        wc.hInstance = process_instance();
        wc.lpszClassName = "TV_Pane";
        RegisterClassA(&wc);
        plugin_host_connect();
        const std::string path = dos_path(PANE_PROBE_PLUGIN);
        EXPECT_TRUE(plugin_load(path.c_str()));
        static RuntimeClass* classes[kClassCount] = {
            test_class("ProbeHost", BuiltinClass::Window,
                       {{"MouseDown", reinterpret_cast<void*>(host_down)}, {"KeyDown", reinterpret_cast<void*>(host_key)}})};
        for (int i = kFull; i < kClassCount; ++i)
            classes[i] = plugin_host_class_named(kControlClasses[i], std::strlen(kControlClasses[i]));
        class_table_install(classes, kClassCount);
        return GetModuleHandleA(path.c_str());
    }();
    return module;
}

// The log less what the focus and the activation did (other programs may
// take the activation for a moment).
std::string without_focus(const std::string& log) {
    std::string out;
    for (std::size_t i = 0; i < log.size();) {
        const std::size_t end = log.find(';', i) + 1;
        const std::string entry = log.substr(i, end - i);
        if (entry != "gained;" && entry != "lost;" && entry != "refresh;" && entry.rfind("draw ", 0) != 0) out += entry;
        i = end;
    }
    return out;
}

// Only the mouse calls: painting and focus follow the activation, which
// other programs on the display may take for a moment.
std::string mouse_calls(const std::string& log) {
    std::string out;
    for (std::size_t i = 0; i < log.size();) {
        const std::size_t end = log.find(';', i) + 1;
        const std::string entry = log.substr(i, end - i);
        if (entry.rfind("down", 0) == 0 || entry.rfind("drag", 0) == 0 || entry.rfind("up", 0) == 0) out += entry;
        i = end;
    }
    return out;
}

std::string probe_log() {
    return reinterpret_cast<const char* (*)()>(GetProcAddress(probe_module(), "pane_probe_log"))();
}
void probe_clear() { reinterpret_cast<void (*)()>(GetProcAddress(probe_module(), "pane_probe_clear"))(); }

struct Placed {
    int class_index;
    int left, top, width, height;
};

COLORREF screen_pixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

class PluginControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(probe_module(), nullptr);
        // The first window makes caches that last; they are not the tests' to count.
        static bool warm = [this] {
            close(open({{kFull, 20, 30, 60, 40}}));
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
            kHost, {{"Title", "Plugin controls"}, {"Left", "40"}, {"Top", "60"}, {"Width", "300"}, {"Height", "200"}},
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

TEST_F(PluginControls, APaneOpensWithItsWindowAndPaintsInWindowCoordinates) {
    probe_clear();
    RuntimeObject* w = open({{kFull, 20, 30, 60, 40}, {kQuiet, 100, 30, 40, 40}, {kPaneless, 160, 30, 40, 40}});
    Pane* full = pane(w, 0);
    ASSERT_NE(full, nullptr);
    char class_name[16] = {};
    GetClassNameA(full->native, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "TV_Pane");
    EXPECT_EQ(pane(w, 2), nullptr) << "a control without pane got one";
    EXPECT_EQ(probe_log().rfind("open with its window;", 0), 0u) << probe_log();
    EXPECT_NE(probe_log().find("draw 20,30,80,70;"), std::string::npos) << probe_log();
    // What the plugin drew, and the window's colour behind a pane that draws nothing.
    EXPECT_EQ(screen_pixel(hwnd(w), 21, 31), RGB(0x33, 0x66, 0xCC));
    EXPECT_EQ(screen_pixel(hwnd(w), 79, 69), RGB(0x33, 0x66, 0xCC));
    EXPECT_EQ(screen_pixel(hwnd(w), 81, 50), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(screen_pixel(hwnd(w), 120, 50), GetSysColor(COLOR_BTNFACE));
    probe_clear();
    close(w);
    EXPECT_EQ(without_focus(probe_log()), "close with its window;destroyed;destroyed;");
}

TEST_F(PluginControls, TheServicesDescribeTheControl) {
    RuntimeObject* w = open({{kFull, 20, 30, 60, 40}, {kPaneless, 160, 30, 40, 40}});
    RuntimeObject* full = control(w, 0);
    RuntimeObject* paneless = control(w, 1);
    std::int16_t bounds[4] = {}, twin[4] = {};
    GetControlBounds(full, bounds);
    PluginGetControlBounds(full, twin);
    const std::int16_t expected[4] = {30, 20, 70, 80};  // top, left, bottom, right
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bounds[i], expected[i]) << i;
    EXPECT_EQ(std::memcmp(bounds, twin, sizeof bounds), 0);
    GetControlBounds(nullptr, bounds);  // nothing happens
    EXPECT_EQ(GetControlHWND(full), pane(w, 0)->native);
    EXPECT_EQ(GetControlHWND(paneless), hwnd(w)) << "without a pane: the window's handle";

    EXPECT_EQ(GetControlVisible(full), 1);
    SetControlVisible(full, 0);
    EXPECT_EQ(GetControlVisible(full), 0);
    EXPECT_FALSE(IsWindowVisible(pane(w, 0)->native));
    SetControlVisible(full, 1);
    EXPECT_TRUE(IsWindowVisible(pane(w, 0)->native));

    std::uint32_t colour = 0;
    TAVOSetSpecialBackground(full, &colour);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(colour, (GetRValue(face) << 16u) | (GetGValue(face) << 8u) | GetBValue(face));
    TAVOSetSpecialBackground(paneless, &colour);
    EXPECT_EQ(colour, 0xFFFFFFu) << "without a pane: white";

    RuntimeObject* window = getControlWindow(full);
    EXPECT_EQ(window, w);
    RuntimeUnlockObject(window);

    EXPECT_EQ(TAVOGetControlGraphics(paneless), nullptr);
    RuntimeObject* g = TAVOGetControlGraphics(full);
    ASSERT_NE(g, nullptr);
    // Window coordinates: the control's top-left corner is its (20, 30).
    HDC dc = TAVOGraphicsDC(g);
    HBRUSH brush = CreateSolidBrush(RGB(0xFF, 0, 0));
    RECT corner = {20, 30, 25, 35};
    FillRect(dc, &corner, brush);
    DeleteObject(brush);
    POINT origin = {};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, -20);
    EXPECT_EQ(origin.y, -30);
    EXPECT_EQ(GetPixel(dc, 22, 32), RGB(0xFF, 0, 0));
    RuntimeUnlockObject(g);
    // Marking part of it: that part, in the pane window's own coordinates.
    pump();
    TAVOInvalidateControlRect(full, 22, 33, 30, 40);
    RECT update = {};
    GetUpdateRect(pane(w, 0)->native, &update, FALSE);
    EXPECT_EQ(update.left, 2);
    EXPECT_EQ(update.top, 3);
    EXPECT_EQ(update.right, 10);
    EXPECT_EQ(update.bottom, 10);
    close(w);
}

TEST_F(PluginControls, MouseCallsComeInWindowCoordinatesAndTrackOnlyWhenAsked) {
    RuntimeObject* w = open({{kFull, 20, 30, 60, 40}, {kQuiet, 100, 30, 40, 40}});
    struct Case {
        int x, y;
        WPARAM modifier;
        const char* log;
        const char* window_log;
    } cases[] = {
        {30, 40, MK_SHIFT, "down 30,40 m512;drag 200,150;up 200,150;", ""},
        {30, 40, MK_CONTROL, "down 30,40 m4096;", ""},  // not tracked, and still not the window's
        {110, 40, 0, "", "window down 110,40;"},  // a table without mouse entries: the click falls through
    };
    for (const Case& c : cases) {
        probe_clear();
        g_window_log.clear();
        post_mouse(w, WM_LBUTTONDOWN, c.x, c.y, MK_LBUTTON | c.modifier);
        post_mouse(w, WM_MOUSEMOVE, 200, 150, MK_LBUTTON);
        post_mouse(w, WM_LBUTTONUP, 200, 150);
        EXPECT_EQ(mouse_calls(probe_log()), c.log) << c.x;
        EXPECT_EQ(g_window_log, c.window_log) << c.x;
        EXPECT_FALSE(mouse_tracking());
    }
    close(w);
}

TEST_F(PluginControls, AControlClosingItsWindowInACallbackEndsTheDispatch) {
    RuntimeObject* w = open({{kClosing, 20, 30, 60, 40}});
    probe_clear();
    post_mouse(w, WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
    EXPECT_EQ(as_window(w)->view, nullptr) << "the window is still open";
    EXPECT_FALSE(mouse_tracking());
    EXPECT_EQ(probe_log(), "closed the window;");
    RuntimeUnlockObject(w);
}

TEST_F(PluginControls, FocusAndKeysGoToControlsThatTakeTheFocus) {
    probe_clear();
    RuntimeObject* w = open({{kQuiet, 100, 30, 40, 40}, {kFull, 20, 30, 60, 40}});
    // The window's first pane taking the focus: not the quiet one.
    EXPECT_EQ(focus_pane(), pane(w, 1));
    EXPECT_NE(probe_log().find("gained;"), std::string::npos) << probe_log();
    probe_clear();
    g_window_log.clear();
    key(w, 'A');
    EXPECT_EQ(probe_log().rfind("key 97 65 m0;", 0), 0u) << probe_log();
    EXPECT_EQ(g_window_log, "") << "a handled key reached the window";
    controlEnabledSetter(control(w, 1), 0, false);
    EXPECT_EQ(focus_pane(), nullptr);
    EXPECT_NE(probe_log().find("lost;"), std::string::npos) << probe_log();
    close(w);
}

TEST_F(PluginControls, IdleCallsOnlyForTablesWithAnIdleEntry) {
    RuntimeObject* quiet = open({{kFull, 20, 30, 60, 40}, {kQuiet, 100, 30, 40, 40}});
    EXPECT_FALSE(periodic_tasks_pending());
    close(quiet);
    RuntimeObject* w = open({{kIdle, 20, 30, 60, 40}});
    EXPECT_TRUE(periodic_tasks_pending());
    probe_clear();
    pump_for(300);
    EXPECT_NE(probe_log().find("idle;idle;"), std::string::npos) << probe_log();
    close(w);
    probe_clear();
    pump_for(100);
    EXPECT_EQ(probe_log(), "") << "idle after the window closed";
}

TEST_F(PluginControls, ARefreshRunsEntry48OfAVisiblePane) {
    RuntimeObject* w = open({{kFull, 20, 30, 60, 40}});
    probe_clear();
    RuntimeControlRefresh(control(w, 0));
    EXPECT_NE(probe_log().find("refresh;"), std::string::npos) << probe_log();
    ControlVisibleSetter(control(w, 0), 0, false);
    probe_clear();
    RuntimeControlRefresh(control(w, 0));
    EXPECT_EQ(probe_log().find("refresh;"), std::string::npos) << "a hidden pane drew itself";
    close(w);
}

}  // namespace
