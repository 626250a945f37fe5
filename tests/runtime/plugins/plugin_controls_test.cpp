// Plugin controls on real windows: the pane the runtime makes for them, the
// calls it makes into their behaviour tables (driven with real input posted
// to the native windows), and the control services plugins call back.
#include <cstring>
#include <string>
#include <vector>

#include "controls/control_accessors.h"
#include "controls/control_object.h"
#include "panes/pane_entry_points.h"
#include "panes/pane_focus.h"
#include "plugin_classes.h"
#include "plugin_records.h"
#include "plugin_test_support.h"
#include "plugin_window_fixture.h"
#include "startup/periodic_tasks.h"

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
        plugin_window_layer_ready();
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
    // Through the generic function pointer type, which any entry converts to.
    auto entry = reinterpret_cast<void (*)()>(GetProcAddress(probe_module(), "pane_probe_log"));
    return reinterpret_cast<const char* (*)()>(entry)();
}
void probe_clear() { reinterpret_cast<void (*)()>(GetProcAddress(probe_module(), "pane_probe_clear"))(); }

class PluginControls : public PluginWindowTest {
protected:
    void SetUp() override {
        ASSERT_NE(probe_module(), nullptr);
        begin(kFull);
    }
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
