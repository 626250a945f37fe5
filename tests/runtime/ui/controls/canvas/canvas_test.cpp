// Canvases in-process: a press, drag and release posted to the canvas's
// window reach its events in canvas coordinates; the entry points on nil,
// paneless canvases and pictures that are none.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../descriptions/window_test_support.h"
#include "controls/canvas/canvas.h"
#include "controls/canvas/canvas_entry_points.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "drawing/picture_entry_points.h"
#include "objects/debugger.h"
#include "panes/pane.h"
#include "startup/main_loop.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

std::string g_log;

std::string at(int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y) + ";"; }
bool canvas_down(RuntimeObject*, std::int32_t x, std::int32_t y) {
    g_log += "down" + at(x, y);
    return true;
}
void canvas_drag(RuntimeObject*, std::int32_t x, std::int32_t y) { g_log += "drag" + at(x, y); }
void canvas_up(RuntimeObject*, std::int32_t x, std::int32_t y) { g_log += "up" + at(x, y); }

enum { kWindowClass, kCanvasClass, kClassCount };

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_layer_ready();
        static bool ready = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = ui_services().pane_procedure;
            wc.cbWndExtra = 4;
            wc.hInstance = process_instance();
            wc.lpszClassName = "TV_Pane";
            RegisterClassA(&wc);
            static RuntimeClass* classes[kClassCount] = {
                test_class("CanvasWindow", BuiltinClass::Window),
                test_class("TrackingCanvas", BuiltinClass::Canvas,
                           {{"MouseDown", reinterpret_cast<void*>(canvas_down)},
                            {"MouseDrag", reinterpret_cast<void*>(canvas_drag)},
                            {"MouseUp", reinterpret_cast<void*>(canvas_up)}})};
            class_table_install(classes, kClassCount);
            return true;
        }();
        (void)ready;
        // The first window and the first Graphics fill caches that stay.
        static bool warm = [] {
            RuntimeObject* window = open_window();
            RuntimeUnlockObject(canvasGraphicsGetter(as_window(window)->controls->first->control, 0));
            RuntimeCloseWindow(window);
            RuntimeUnlockObject(window);
            pump();
            return true;
        }();
        (void)warm;
        pump();
        objects_ = RuntimeDebugObjectCount(nullptr);
        bytes_ = RuntimeDebugMemoryUsed();
    }
    void TearDown() override {
        pump();
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_) << "live objects left behind";
        EXPECT_EQ(RuntimeDebugMemoryUsed(), bytes_) << "runtime memory left behind";
    }
    static RuntimeObject* open_window() {
        const ControlEntry canvas = {
            kCanvasClass,
            {{"Name", "Sketch"}, {"Left", "30"}, {"Top", "40"}, {"Width", "100"}, {"Height", "80"}}};
        const auto description = window_description(
            kWindowClass, {{"Title", "Canvas"}, {"Left", "50"}, {"Top", "50"}, {"Width", "200"}, {"Height", "160"}},
            {canvas});
        RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
        ui_services().walk_show_list();
        pump();
        return window;
    }
    static void pump() {
        MSG m;
        for (int guard = 0; guard < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
    }

private:
    std::int32_t objects_ = 0;
    std::uint32_t bytes_ = 0;
};

TEST_F(CanvasTest, PressDragAndReleaseArriveInCanvasCoordinates) {
    RuntimeObject* window = open_window();
    RuntimeObject* sketch = as_window(window)->controls->first->control;
    const Pane* pane = static_cast<const Pane*>(as_control(sketch)->pane);
    ASSERT_NE(pane, nullptr);
    ASSERT_NE(pane->native, nullptr);
    g_log.clear();
    // In the canvas window's own coordinates, as the system delivers them.
    PostMessageA(pane->native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    pump();
    HWND captured = GetCapture();
    EXPECT_EQ(captured, pane->native) << "an accepted press captures the mouse";
    PostMessageA(pane->native, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 30));
    pump();
    // Past the canvas's edge the coordinates go on (and below zero).
    PostMessageA(pane->native, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-10), 90));
    pump();
    PostMessageA(pane->native, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-10), 90));
    pump();
    EXPECT_EQ(g_log, "down 5,6;drag 20,30;drag -10,90;up -10,90;");

    RuntimeObject* graphics = canvasGraphicsGetter(sketch, 0);
    EXPECT_NE(graphics, nullptr);
    RuntimeUnlockObject(graphics);
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    pump();
}

TEST_F(CanvasTest, EntryPointsTakeNilPanelessCanvasesAndOnlyPictures) {
    RuntimeObject* canvas = object_new(builtin_class(BuiltinClass::Canvas));
    EXPECT_EQ(canvasGraphicsGetter(canvas, 0), nullptr) << "no pane yet";
    EXPECT_EQ(canvasGraphicsGetter(nullptr, 0), nullptr);
    canvasScroll(canvas, 5, 5, 0, 0, 0, 0);
    canvasScroll(nullptr, 5, 5, 0, 0, 0, 0);
    canvasBackdropSetter(nullptr, 0, nullptr);

    RuntimeObject* picture = newPicture(8, 8, 32);
    ASSERT_NE(picture, nullptr);
    canvasBackdropSetter(canvas, 0, picture);
    auto* c = reinterpret_cast<CanvasObject*>(canvas);
    EXPECT_EQ(c->backdrop, picture);
    EXPECT_EQ(picture->refs, 2);
    // Anything that is not a picture clears it.
    canvasBackdropSetter(canvas, 0, canvas);
    EXPECT_EQ(c->backdrop, nullptr);
    EXPECT_EQ(picture->refs, 1);
    canvasBackdropSetter(canvas, 0, picture);
    RuntimeUnlockObject(picture);
    RuntimeUnlockObject(canvas);  // its destructor lets go of the backdrop
}

}  // namespace
