// Window descriptions: packed integers, text readings, placements, frame
// styles, the control dictionary and windows made from descriptions.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/control_lookup.h"
#include "descriptions/type_records.h"
#include "descriptions/window_description.h"
#include "exceptions/failure_report.h"
#include "image/packed_reader.h"
#include "objects/debugger.h"
#include "window_test_support.h"
#include "windows/native_view.h"
#include "windows/window_accessors.h"
#include "windows/window_operations.h"
#include "windows/window_styles.h"

namespace {

TEST(PackedIntegers, ReadAsStored) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {{0x15}, true, 21},
        {{0x03}, true, 3},
        {{0x80, 0x01}, true, 64},
        {{0x45}, true, -5},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, true, -0x7FFFFFFF},
        // The magnitude 0x80000000 stays the most negative integer, signed or not.
        {{0xC0, 0x80, 0x80, 0x80, 0x10}, true, INT_MIN},
        {{0x80, 0x80, 0x80, 0x80, 0x10}, true, INT_MIN},
        {{0x80}, false, 77},
        {{}, false, 77},
    };
    for (const Case& c : cases) {
        PackedReader reader(c.bytes.data(), c.bytes.size());
        std::int32_t value = 77;
        EXPECT_EQ(reader.packed(value), c.ok) << c.bytes.size() << " bytes";
        EXPECT_EQ(value, c.value) << c.bytes.size() << " bytes";
    }
}

TEST(TextReadings, IntegersAndBooleans) {
    struct IntegerCase {
        const char* text;
        std::int32_t value;
    };
    const IntegerCase integers[] = {
        {"21", 21}, {"-2147483648", INT_MIN}, {"1,2", 12}, {"4294967297", 1}, {"", 0}, {"x-3", 3}, {"-", 0},
        {"16777215", 0xFFFFFF},
    };
    for (const IntegerCase& c : integers) {
        RuntimeString* s = string_from_cstr(c.text);
        EXPECT_EQ(read_integer(s), c.value) << c.text;
        RuntimeUnlockString(s);
    }
    struct BooleanCase {
        const char* text;
        bool value;
    };
    const BooleanCase booleans[] = {{"True", true}, {"true", false}, {"TRUE", false}, {"False", false}, {"", false},
                                    {"True ", false}};
    for (const BooleanCase& c : booleans) {
        RuntimeString* s = string_from_cstr(c.text);
        EXPECT_EQ(read_boolean(s), c.value) << '"' << c.text << '"';
        RuntimeUnlockString(s);
    }
}

TEST(Placements, MoveTheRectangleFromTheScreenWidth) {
    struct Case {
        std::int32_t placement;
        int right, bottom;
        POINT by;
    };
    // A 1280-pixel screen; both centred distances come from its width.
    const Case cases[] = {
        {0, 300, 200, {4, 100}},   {1, 300, 200, {490, 270}}, {2, 301, 201, {489, 269}},
        {3, 300, 200, {490, 270}}, {4, 300, 200, {10, 50}},   {5, 300, 200, {0, 0}},
        {2, 1500, 1500, {-110, -55}},
    };
    for (const Case& c : cases) {
        POINT by = placement_offset(c.placement, c.right, c.bottom, 1280);
        EXPECT_EQ(by.x, c.by.x) << "placement " << c.placement;
        EXPECT_EQ(by.y, c.by.y) << "placement " << c.placement;
    }
}

TEST(FrameStyles, FramesChooseViewStylesAndNativeStyles) {
    struct Case {
        std::int32_t frame;
        int view_style, placement;
        DWORD style, ex_style;
        bool modal;
    };
    const Case cases[] = {
        {0, 8, 4, WS_CAPTION, 0, false},
        {1, 3, 2, WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, true},
        {2, 2, 2, WS_POPUP | WS_DLGFRAME, 0, true},
        {3, 1, 0, WS_POPUP | WS_CAPTION, 0x180, false},
        {4, 4, 2, WS_POPUP | WS_BORDER, 0, true},
        {5, 5, 2, WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, true},
        {6, 6, 4, WS_CAPTION, 0, false},
        {7, 9, 0, WS_POPUP | WS_CAPTION, 0x188, false},
        {8, 8, 4, WS_CAPTION, 0, false},  // above 7: as 0
        {-1, 8, 4, WS_CAPTION, 0, false},
    };
    for (const Case& c : cases) {
        FrameChoice choice = frame_choice(c.frame);
        EXPECT_EQ(choice.view_style, c.view_style) << "frame " << c.frame;
        EXPECT_EQ(choice.default_placement, c.placement) << "frame " << c.frame;
        const ViewStyleRow& row = view_style_row(choice.view_style);
        EXPECT_EQ(view_window_style(choice.view_style, false, false, false), c.style) << "frame " << c.frame;
        EXPECT_EQ(row.ex_style, c.ex_style) << "frame " << c.frame;
        EXPECT_EQ(row.modal, c.modal) << "frame " << c.frame;
    }
    // The optional parts, and a view style past the table getting none.
    EXPECT_EQ(view_window_style(8, true, true, false), WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    EXPECT_EQ(view_window_style(3, false, false, true),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(view_window_style(10, false, true, false), static_cast<DWORD>(WS_SYSMENU));
}

RuntimeObject* fake_control(int n) { return reinterpret_cast<RuntimeObject*>(static_cast<std::uintptr_t>(0x1000 + n)); }

void add(ControlDictionary* d, const char* key, RuntimeObject* control) {
    RuntimeString* k = string_from_cstr(key);
    control_dictionary_add(d, k, control);
    RuntimeUnlockString(k);
}

TEST(ControlDictionary, HashesKeysAndKeepsTheirOrder) {
    EXPECT_EQ(control_key_hash("ab", 2), static_cast<std::uint32_t>('B' ^ ('A' << 2)));
    EXPECT_EQ(control_key_hash("Buttons$1", 9), control_key_hash("BUTTONS$1", 9));
    ControlDictionary* d = control_dictionary_new();
    add(d, "First", fake_control(1));
    add(d, "Second", fake_control(2));
    add(d, "FIRST", fake_control(3));  // the same key: its place stays
    EXPECT_EQ(d->count, 2u);
    EXPECT_EQ(control_dictionary_find(d, "first", 5), fake_control(3));
    EXPECT_EQ(control_dictionary_find(d, "Third", 5), nullptr);
    ASSERT_NE(d->first, nullptr);
    EXPECT_STREQ(string_cstr(d->first->key), "First");
    EXPECT_STREQ(string_cstr(d->first->order_next->key), "Second");
    EXPECT_EQ(d->last, d->first->order_next);
    control_dictionary_free(d);
}

double seconds_for_lookups(int controls) {
    ControlDictionary* d = control_dictionary_new();
    char key[32];
    for (int i = 0; i < controls; ++i) {
        std::snprintf(key, sizeof key, "Control%d", i);
        add(d, key, fake_control(i));
    }
    const auto start = std::chrono::steady_clock::now();
    std::uintptr_t sum = 0;
    for (int round = 0; round < 200000; ++round) {
        std::snprintf(key, sizeof key, "Control%d", round % 10);
        sum += reinterpret_cast<std::uintptr_t>(control_dictionary_find(d, key, std::strlen(key)));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    control_dictionary_free(d);
    EXPECT_NE(sum, 0u);
    return seconds;
}

TEST(ControlDictionary, LookupAmongAThousandCostsAsMuchAsAmongTen) {
    const double ten = seconds_for_lookups(10), thousand = seconds_for_lookups(1000);
    std::printf("200000 lookups: %.1f ms among 10 controls, %.1f ms among 1000 (ratio %.2f)\n", ten * 1000,
                thousand * 1000, thousand / ten);
    EXPECT_LT(thousand, ten * 2.0);
}

int g_opens = 0;
int g_window_closes = 0;
void count_open(RuntimeObject*) { ++g_opens; }
void close_in_open(RuntimeObject* window) { RuntimeCloseWindow(window); }
void count_close(RuntimeObject*) { ++g_window_closes; }

int g_last_report = 0;
void remember_report(int, std::int16_t code, const char* source, int line) {
    g_last_report = code * 100000 + line + (source && std::strcmp(source, "RuntimeMain") == 0 ? 10000 : 0);
}

enum { kPlain, kButton, kCanvas, kClosesInOpen, kCountsOpen, kClassCount };

class WindowDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        window_layer_ready();
        static RuntimeClass* classes[kClassCount] = {
            test_class("PlainWindow", BuiltinClass::Window, {{"Close", reinterpret_cast<void*>(count_close)}}),
            builtin_class(BuiltinClass::PushButton),
            builtin_class(BuiltinClass::Canvas),
            test_class("ClosesInOpen", BuiltinClass::Window, {{"Open", reinterpret_cast<void*>(close_in_open)}}),
            test_class("CountsOpen", BuiltinClass::Window, {{"Open", reinterpret_cast<void*>(count_open)}}),
        };
        class_table_install(classes, kClassCount);
        g_opens = g_window_closes = 0;
        objects_before_ = RuntimeDebugObjectCount(nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before_) << "live objects left behind";
    }

    RuntimeObject* create(const std::vector<std::uint8_t>& description, RuntimeObject** slot = nullptr) {
        return RuntimeCreateWindow(description.data(), slot);
    }
    static void close_and_release(RuntimeObject* window) {
        RuntimeCloseWindow(window);
        RuntimeUnlockObject(window);
    }

    std::int32_t objects_before_ = 0;
};

ControlEntry button(const char* name, const char* index, const char* left = "0", const char* top = "0",
                    const char* width = "80", const char* height = "20") {
    return {kButton, {{"Name", name}, {"Index", index}, {"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}}};
}

TEST_F(WindowDescriptions, WindowPairsApplyByNameWithoutRegardToCase) {
    RuntimeObject* slot = nullptr;
    RuntimeObject* window = create(window_description(kPlain, {{"Title", "Hello"},
                                                               {"MacProcID", "7"},
                                                               {"CloseBox", "TRUE"},
                                                               {"HasBackColor", "True"},
                                                               {"BackColor", "15658734"},
                                                               {"Backdrop", "0"},
                                                               {"NoSuchProperty", "1"},
                                                               {"Width", "300"},
                                                               {"Height", "200"},
                                                               {"Width", "320"}}),
                                   &slot);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(slot, window);
    WindowObject* w = as_window(window);
    EXPECT_EQ(w->proc_id, 7);
    EXPECT_EQ(w->close_box, 0);
    EXPECT_EQ(w->back_colour, 0xEEEEEEu);
    ASSERT_NE(w->view, nullptr);
    EXPECT_EQ(w->view->back_colour, 0xEEEEEEu);
    EXPECT_STREQ(string_cstr(w->title), "Hello");
    // Placement 0 (frame 0's default is 4): 10 right, 50 down; the later Width wins.
    EXPECT_EQ(windowPosGetter(window, 0), 10);
    EXPECT_EQ(windowPosGetter(window, 1), 50);
    EXPECT_EQ(windowPosGetter(window, 2), 320);
    EXPECT_EQ(windowPosGetter(window, 3), 200);
    close_and_release(window);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(g_window_closes, 1);
}

TEST_F(WindowDescriptions, ControlArraysAreReachedByMemberAndCloned) {
    RuntimeObject* window = create(window_description(
        kPlain, {}, {button("Buttons", "0"), button("Buttons", "1"), button("Single", "-2147483648")}));
    ASSERT_NE(window, nullptr);
    RuntimeString* buttons = string_from_cstr("Buttons");
    RuntimeString* lower = string_from_cstr("buttons");
    RuntimeString* single = string_from_cstr("single");
    EXPECT_EQ(RuntimeControlFetch(window, buttons), nullptr);
    RuntimeObject* second = RuntimeControlArrayItemReference(window, lower, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(as_control(second)->index, 1);
    RuntimeObject* alone = RuntimeControlFetch(window, single);
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(as_control(alone)->index, kNoIndex);
    EXPECT_EQ(as_control(alone)->window, as_window(window));

    RuntimeObject* clone = RuntimeCloneControlReference(window, lower);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(as_control(clone)->index, 2);
    RuntimeObject* third = RuntimeControlArrayItemReference(window, buttons, 2);
    EXPECT_EQ(third, clone);
    EXPECT_EQ(windowControlCountGetter(window, 0), 4);
    RuntimeObject* in_order = windowControl(window, 3);
    EXPECT_EQ(in_order, clone);
    EXPECT_EQ(windowControl(window, 4), nullptr);

    RuntimeUnlockObject(in_order);
    RuntimeUnlockObject(third);
    RuntimeUnlockObject(clone);
    RuntimeUnlockObject(second);
    RuntimeUnlockString(buttons);
    RuntimeUnlockString(lower);
    RuntimeUnlockString(single);
    close_and_release(window);
}

TEST_F(WindowDescriptions, CloningIntoANilWindowIsAFailureReport) {
    FailureReportSink old = failure_report_redirect(remember_report);
    RuntimeString* name = string_from_cstr("Buttons");
    EXPECT_EQ(RuntimeCloneControlReference(nullptr, name), nullptr);
    EXPECT_EQ(g_last_report, 4 * 100000 + 10000 + 1858);
    RuntimeUnlockString(name);
    failure_report_redirect(old);
}

TEST_F(WindowDescriptions, TheLaterOfNestedCanvasesIsTheParent) {
    ControlEntry outer = {kCanvas, {{"Name", "Outer"}, {"Left", "0"}, {"Top", "0"}, {"Width", "200"}, {"Height", "200"}}};
    ControlEntry inner = {kCanvas, {{"Name", "Inner"}, {"Left", "10"}, {"Top", "10"}, {"Width", "90"}, {"Height", "90"}}};
    RuntimeObject* window = create(window_description(
        kPlain, {}, {outer, inner, button("Deep", "-2147483648", "10", "10", "90", "20"),
                     button("Shallow", "-2147483648", "150", "150", "20", "20")}));
    ASSERT_NE(window, nullptr);
    RuntimeString* names[] = {string_from_cstr("Outer"), string_from_cstr("Inner"), string_from_cstr("Deep"),
                              string_from_cstr("Shallow")};
    EXPECT_EQ(as_control(RuntimeControlFetch(window, names[2]))->parent_canvas,
              as_control(RuntimeControlFetch(window, names[1])));
    EXPECT_EQ(as_control(RuntimeControlFetch(window, names[3]))->parent_canvas,
              as_control(RuntimeControlFetch(window, names[0])));
    EXPECT_EQ(as_control(RuntimeControlFetch(window, names[1]))->parent_canvas,
              as_control(RuntimeControlFetch(window, names[0])));
    for (RuntimeString* n : names) RuntimeUnlockString(n);
    close_and_release(window);
}

TEST_F(WindowDescriptions, AnEmptyWindowOpensAndAWindowClosedInOpenGivesNil) {
    RuntimeObject* window = create(window_description(kCountsOpen, {}));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_opens, 1);
    EXPECT_NE(as_window(window)->view, nullptr);
    EXPECT_TRUE(IsWindow(as_window(window)->view->hwnd));
    close_and_release(window);

    RuntimeObject* slot = nullptr;
    EXPECT_EQ(create(window_description(kClosesInOpen, {}), &slot), nullptr);
    EXPECT_EQ(slot, nullptr);
}

TEST_F(WindowDescriptions, GetWindowCountsFromTheFrontAndEndsWithNil) {
    RuntimeObject* a = create(window_description(kPlain, {{"Title", "A"}}));
    RuntimeObject* b = create(window_description(kPlain, {{"Title", "B"}}));
    EXPECT_EQ(getWindowCount(), 2);
    EXPECT_EQ(getWindow(getWindowCount()), nullptr);
    EXPECT_EQ(getWindow(-1), nullptr);
    RuntimeObject* front = getWindow(0);
    RuntimeObject* back = getWindow(1);
    EXPECT_TRUE((front == a && back == b) || (front == b && back == a));
    RuntimeUnlockObject(front);
    RuntimeUnlockObject(back);
    close_and_release(a);
    close_and_release(b);
    EXPECT_EQ(getWindowCount(), 0);
}

}  // namespace
