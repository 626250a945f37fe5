// Lines take their bounds from their end points and width, when the window
// is made and each time an end point moves; a window of 50 shapes redraws
// quickly.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "controls/control_accessors.h"
#include "descriptions/control_lookup.h"
#include "descriptions/window_description.h"
#include "descriptions/window_test_support.h"
#include "panes/control_panes.h"
#include "panes/pane.h"
#include "shapes/shapes.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

enum { kWindow, kLine, kRectangle, kRoundRectangle, kOval, kClassCount };

void install_classes() {
    window_layer_ready();
    static RuntimeClass* classes[kClassCount] = {
        test_class("ShapesWindow", BuiltinClass::Window),       test_class("TestLine", BuiltinClass::Line),
        test_class("TestRectangle", BuiltinClass::Rectangle),   test_class("TestRound", BuiltinClass::RoundRectangle),
        test_class("TestOval", BuiltinClass::Oval),
    };
    class_table_install(classes, kClassCount);
}

struct Bounds {
    int left, top, right, bottom;
};

Bounds bounds_of(RuntimeObject* line) {
    const int left = ctlPosGetter(line, 0), top = ctlPosGetter(line, 1);
    return {left, top, left + ctlPosGetter(line, 2), top + ctlPosGetter(line, 3)};
}

struct LineCase {
    const char* what;
    int x1, y1, x2, y2, width;
    Bounds expected;
};

// h = width / 2 toward zero: h before the smaller end, width - h past the larger.
const LineCase kLineCases[] = {
    {"horizontal, two wide", 10, 5, 30, 5, 2, {9, 4, 31, 6}},
    {"drawn from its far end", 30, 5, 10, 5, 2, {9, 4, 31, 6}},
    {"one wide", 10, 5, 30, 25, 1, {10, 5, 31, 26}},
    {"three wide, rising", 10, 20, 40, 5, 3, {9, 4, 42, 22}},
    {"a negative width measures as its size", 10, 5, 30, 5, -2, {9, 4, 31, 6}},
};

RuntimeObject* fetch(RuntimeObject* window, const char* name) {
    RuntimeString* key = string_from_cstr(name);
    RuntimeObject* control = RuntimeControlFetch(window, key);
    RuntimeUnlockString(key);
    return control;
}

ControlEntry line_entry(const LineCase& c) {
    return {kLine,
            {{"Name", "Line"}, {"Index", "-2147483648"}, {"Visible", "True"}, {"X1", std::to_string(c.x1)},
             {"X2", std::to_string(c.x2)}, {"Y1", std::to_string(c.y1)}, {"Y2", std::to_string(c.y2)},
             {"BorderWidth", std::to_string(c.width)}, {"LineColor", "0"}}};
}

void expect_bounds(RuntimeObject* line, const Bounds& e, const std::string& when) {
    const Bounds b = bounds_of(line);
    EXPECT_EQ(b.left, e.left) << when;
    EXPECT_EQ(b.top, e.top) << when;
    EXPECT_EQ(b.right, e.right) << when;
    EXPECT_EQ(b.bottom, e.bottom) << when;
    const Pane* pane = control_pane(as_control(line));
    ASSERT_NE(pane, nullptr) << when;
    EXPECT_TRUE(pane->rect.left == e.left && pane->rect.top == e.top && pane->rect.right == e.right &&
                pane->rect.bottom == e.bottom)
        << when << ": the pane follows";
}

TEST(LineBounds, FromTheDescriptionAndFromEachMovedEndPoint) {
    install_classes();
    for (const LineCase& c : kLineCases) {
        const std::vector<std::uint8_t> description =
            window_description(kWindow, {{"Visible", "False"}}, {line_entry(c)});
        RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
        ASSERT_NE(window, nullptr) << c.what;
        RuntimeObject* line = fetch(window, "line");
        ASSERT_NE(line, nullptr) << c.what;
        expect_bounds(line, c.expected, std::string(c.what) + ", as described");

        // Moved away and back one end point at a time, through the setter.
        linePosSetter(line, offsetof(LineObject, x1), c.x1 + 100);
        linePosSetter(line, offsetof(LineObject, y2), c.y2 + 100);
        const Bounds moved = bounds_of(line);
        EXPECT_NE(moved.right, c.expected.right) << c.what;
        linePosSetter(line, offsetof(LineObject, x1), c.x1);
        linePosSetter(line, offsetof(LineObject, y2), c.y2);
        expect_bounds(line, c.expected, std::string(c.what) + ", moved back");
        linePosSetter(line, 0, 500);  // names no end point
        expect_bounds(line, c.expected, std::string(c.what) + ", after a stray selector");
        RuntimeCloseWindow(window);
        RuntimeUnlockObject(window);
    }
}

double thread_milliseconds() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

ControlEntry shape_entry(std::int32_t cls, int n) {
    const int left = 5 + (n % 10) * 30, top = 5 + (n / 10) * 30;
    return {cls,
            {{"Name", "Shape"}, {"Index", std::to_string(n)}, {"Left", std::to_string(left)},
             {"Top", std::to_string(top)}, {"Width", "25"}, {"Height", "25"}, {"FillColor", "65280"},
             {"BorderWidth", "2"}, {"BorderColor", "255"}, {"TopLeftColor", "16711680"}, {"X1", std::to_string(left)},
             {"Y1", std::to_string(top)}, {"X2", std::to_string(left + 25)}, {"Y2", std::to_string(top + 25)}}};
}

TEST(ShapesDrawing, AWindowOfFiftyShapesRedrawsWithinTwentyMilliseconds) {
    install_classes();
    std::vector<ControlEntry> shapes;
    const std::int32_t kinds[] = {kRectangle, kRoundRectangle, kOval, kLine};
    for (int n = 0; n < 50; ++n) shapes.push_back(shape_entry(kinds[n % 4], n));
    const std::vector<std::uint8_t> description =
        window_description(kWindow, {{"Title", "Fifty"}, {"Width", "310"}, {"Height", "160"}}, shapes);
    RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
    ASSERT_NE(window, nullptr);
    HWND hwnd = as_window(window)->view->hwnd;
    ShowWindow(hwnd, SW_SHOWNA);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    // Processor time of this thread: other programs on a busy machine
    // would lengthen a wall-clock measure.
    constexpr int kRounds = 50;
    const double before = thread_milliseconds();
    for (int i = 0; i < kRounds; ++i) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const double ms = (thread_milliseconds() - before) / kRounds;
    std::printf("a window of 50 shapes redraws in %.2f ms of processor time\n", ms);
    EXPECT_LT(ms, 20.0);
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
}

}  // namespace
