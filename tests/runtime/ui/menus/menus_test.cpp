// The menu bar in-process: built once from a stream of the tests' own, then
// used through real window messages (WM_INITMENU, WM_COMMAND, key presses
// with the keyboard state set) and read back from the native menus.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "menu_stream_support.h"
#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "menus/menu_entry_points.h"
#include "menus/menu_participation.h"
#include "menus/menu_stream.h"
#include "menus/shortcut_text.h"
#include "objects/debugger.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "startup/application.h"
#include "startup/main_loop.h"
#include "windows/native_view.h"
#include "windows/window_accessors.h"
#include "windows/window_operations.h"

namespace {

std::string g_log;
void note(const std::string& text) { g_log += text + ";"; }

std::string name_of(RuntimeObject* item) {
    RuntimeString* name = nullptr;
    // The name is the item's first field.
    std::memcpy(&name, reinterpret_cast<std::uint8_t*>(item) + sizeof(RuntimeObject), sizeof name);
    return string_cstr(name);
}

void probe_enable(RuntimeObject* item) {
    note("enable " + name_of(item));
    RuntimeEnableMenu(item);
}
bool probe_action(RuntimeObject* item) {
    note("action " + name_of(item));
    return true;
}
void grey_enable(RuntimeObject*) { note("grey asked"); }
// The application's own Action of a quit item, which keeps the program running.
bool quit_action(RuntimeObject*) {
    note("quit action");
    return true;
}
// Many items: enabling and nothing else, so that the pass itself is timed.
void bulk_enable(RuntimeObject* item) { RuntimeEnableMenu(item); }
bool grey_action(RuntimeObject*) {
    note("grey action");
    return true;
}
bool separator_action(RuntimeObject*) {
    note("separator action");
    return true;
}

bool g_window_takes = true;
bool g_application_takes = true;
void window_enable(RuntimeObject*) { note("window"); }
bool window_save(RuntimeObject*) {
    note("window Save");
    return g_window_takes;
}
bool window_recent(RuntimeObject*, std::int32_t index) {
    note("window recent " + std::to_string(index));
    return true;
}
void application_enable(RuntimeObject*) { note("application"); }
bool application_save(RuntimeObject*) {
    note("application Save");
    return g_application_takes;
}

// A focusable control of the tests' that serves "EditCopy" as an edit
// field serves its edit items.
class FocusPane : public Pane {
public:
    using Pane::Pane;
    bool accepts_focus() override { return true; }
    bool key_down(char, std::uint8_t key, std::int32_t) override {
        note("pane key " + std::to_string(key));
        return true;
    }
    void enable_menu_items() override {
        note("focus");
        menu_items_enable_named("editcopy");
    }
    bool menu_command(MenuItemObject* item) override {
        if (!menu_item_named(item, "EditCopy")) return false;
        note("focus EditCopy");
        return true;
    }
};

void create_focus_pane(RuntimeObject* object) {
    ControlObject* c = as_control(object);
    auto* pane = new FocusPane(c);
    const PaneCreation how = {c->rect, nullptr, "", "TV_Pane", 0, 0};
    if (pane->create(how)) c->pane = pane;
    else delete pane;
}

enum { kMenuItem, kProbeItem, kGreyItem, kSeparatorItem, kBulkItem, kQuitItem, kWindow, kFocusControl, kClassCount };

RuntimeClass* window_class() {
    RuntimeClass* cls = test_class("MenuWindow", BuiltinClass::Window,
                                   {{"EnableMenuItems", reinterpret_cast<void*>(window_enable)}});
    class_add_menu_handler(cls, string_from_cstr("Save"), reinterpret_cast<void*>(window_save));
    class_add_menu_handler(cls, string_from_cstr("recent"), reinterpret_cast<void*>(window_recent));
    return cls;
}

RuntimeClass* application_class() {
    RuntimeClass* cls = test_class("MenuApp", BuiltinClass::Application,
                                   {{"EnableMenuItems", reinterpret_cast<void*>(application_enable)}});
    class_add_menu_handler(cls, string_from_cstr("Save"), reinterpret_cast<void*>(application_save));
    return cls;
}

ItemEntry item(const char* text, const char* name, std::int32_t cls, const char* key = "", std::int32_t index = INT32_MIN) {
    ItemEntry i;
    i.text = text;
    i.name = name;
    i.class_index = cls;
    i.key = key;
    i.index = index;
    return i;
}

// File: Save, a separator, Grey, a skipped item, EditCopy, More (recent(0),
// recent(1) and Loose, whose index an older writer gave), Plain. Two menus
// of kinds 1 and 2 that make no popup, then Bulk, then Extra with a quit
// item of the tests' class.
std::vector<std::uint8_t> test_stream() {
    ItemEntry skipped = item("Ghost", "Ghost", kProbeItem);
    skipped.kind = 2;
    ItemEntry more = item("More", "More", kMenuItem);
    more.submenu = {item("Recent 0", "recent", kProbeItem, "", 0), item("Recent 1", "recent", kProbeItem, "", 1),
                    item("Loose", "Loose", kMenuItem, "", static_cast<std::int32_t>(0x80000010))};
    MenuEntry file = {"File",
                     {item("Save", "Save", kProbeItem, "S"), item("-", "", kSeparatorItem), item("Grey", "Grey", kGreyItem, "Shift-G"),
                      skipped, item("Copy", "EditCopy", kMenuItem, "C"), more, item("Plain", "Plain", kMenuItem, "Alt-F4")}};
    MenuEntry hidden = {"Hidden", {item("Unseen", "Unseen", kProbeItem, "U")}, 1};
    MenuEntry hidden_too = {"Hidden too", {item("Unseen too", "UnseenToo", kProbeItem)}, 2};
    MenuEntry bulk = {"Bulk", {item("Bulk", "bulk", kBulkItem, "", 0)}};
    MenuEntry extra = {"Extra", {item("Quit", "Quit", kQuitItem, "Q")}};
    return menu_bar_stream({file, hidden, hidden_too, bulk, extra});
}

std::string menu_string(HMENU menu, UINT position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool greyed(HMENU menu, UINT position) { return (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0; }

RuntimeString* text(const char* t) { return string_from_cstr(t); }

void set_text(RuntimeObject* item, const char* t) {
    RuntimeString* s = text(t);
    menuItemTextSetter(item, s);
    RuntimeUnlockString(s);
}

void set_key(RuntimeObject* item, const char* key) {
    RuntimeString* s = text(key);
    menuItemCommandKeySetter(item, s);
    RuntimeUnlockString(s);
}

// The item of that name (outside arrays), borrowed for the test's use.
RuntimeObject* named(const char* name) {
    RuntimeString* s = text(name);
    RuntimeObject* item = RuntimeMenuReference(s);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(item);  // the menu still holds it
    return item;
}

std::int32_t id_of(RuntimeObject* item) {
    std::int32_t id = 0;
    std::memcpy(&id, reinterpret_cast<std::uint8_t*>(item) + 68, sizeof id);
    return id;
}

class Menus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window_layer_ready();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ui_services().pane_procedure;
        wc.cbWndExtra = 4;
        wc.hInstance = process_instance();
        wc.lpszClassName = "TV_Pane";
        RegisterClassA(&wc);
        static RuntimeClass* classes[kClassCount] = {
            builtin_class(BuiltinClass::MenuItem),
            test_class("ProbeItem", BuiltinClass::MenuItem,
                       {{"EnableMenu", reinterpret_cast<void*>(probe_enable)},
                        {"Action", reinterpret_cast<void*>(probe_action)}}),
            test_class("GreyItem", BuiltinClass::MenuItem,
                       {{"EnableMenu", reinterpret_cast<void*>(grey_enable)},
                        {"Action", reinterpret_cast<void*>(grey_action)}}),
            test_class("SeparatorItem", BuiltinClass::MenuItem, {{"Action", reinterpret_cast<void*>(separator_action)}}),
            test_class("BulkItem", BuiltinClass::MenuItem, {{"EnableMenu", reinterpret_cast<void*>(bulk_enable)}}),
            test_class("QuitHold", BuiltinClass::QuitMenuItem, {{"Action", reinterpret_cast<void*>(quit_action)}}),
            window_class(),
            test_class("FocusControl", BuiltinClass::RectControl,
                       {{"CreatePane", reinterpret_cast<void*>(create_focus_pane)}}),
        };
        class_table_install(classes, kClassCount);
        application_create(application_class());
        static const std::vector<std::uint8_t> stream = test_stream();
        menu_bar_build(stream.data(), stream.size());
        ASSERT_NE(application_menu_bar(), nullptr);
    }

    void SetUp() override {
        g_window_takes = g_application_takes = true;
        pump();
        objects_before_ = RuntimeDebugObjectCount(nullptr);
        bytes_before_ = RuntimeDebugMemoryUsed();
        const auto description = window_description(
            kWindow, {{"Title", "Menus"}, {"Left", "40"}, {"Top", "60"}, {"Width", "300"}, {"Height", "120"}},
            {{kFocusControl, {{"Name", "Field"}, {"Left", "10"}, {"Top", "10"}, {"Width", "100"}, {"Height", "20"}}}});
        window_ = RuntimeCreateWindow(description.data(), nullptr);
        ASSERT_NE(window_, nullptr);
        ui_services().walk_show_list();
        pump();
        SetForegroundWindow(hwnd());
        pump();
        g_log.clear();
    }

    void TearDown() override {
        RuntimeCloseWindow(window_);
        RuntimeUnlockObject(window_);
        pump();
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before_) << "live objects left behind";
        EXPECT_EQ(RuntimeDebugMemoryUsed(), bytes_before_) << "runtime memory left behind";
    }

    static void pump() {
        MSG m;
        for (int guard = 0; guard < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
    }
    HWND hwnd() const { return as_window(window_)->view->hwnd; }
    static HMENU bar() { return application_menu_bar(); }
    static HMENU file() { return GetSubMenu(bar(), 0); }
    static HMENU more() { return GetSubMenu(file(), 4); }
    static HMENU bulk() { return GetSubMenu(bar(), 1); }

    void open_menus() { SendMessageA(hwnd(), WM_INITMENU, reinterpret_cast<WPARAM>(bar()), 0); }
    void command(RuntimeObject* item) { SendMessageA(hwnd(), WM_COMMAND, static_cast<WPARAM>(id_of(item)), 0); }
    void focus_field() {
        ControlObject* field = as_control(as_window(window_)->controls->first->control);
        focus_set(static_cast<Pane*>(field->pane));
        g_log.clear();
    }
    // A key with Control (and Shift) held, as the keyboard gives it.
    void key(UINT virtual_key, bool shift = false) {
        SetForegroundWindow(hwnd());
        pump();
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        Pane* pane = focus_pane();
        PostMessageA(pane && pane->native ? pane->native : hwnd(), WM_KEYDOWN, virtual_key, 1);
        pump();
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }

    RuntimeObject* window_ = nullptr;
    std::int32_t objects_before_ = 0;
    std::uint32_t bytes_before_ = 0;
};

TEST(ShortcutText, KeysAsTheMenuShowsThem) {
    const struct {
        const char* keys;
        const char* text;
    } cases[] = {
        {"Control-Shift-S", "Ctrl+Shft+S"},
        {"Shift-Control-S", "Ctrl+Shft+S"},
        {"S", "Ctrl+S"},
        {"Option-S", "Ctrl+S"},
        {"Alt-F4", "Alt+F4"},
        {"F4", "F4"},
        {"Shift-Alt-Del", "Shft+Alt+Del"},
        {"shift-x", "Ctrl+Shft+x"},
        {"Command-Q", "Ctrl+Q"},
        {"Shift-", "Ctrl+Shft+-"},
        {"-", "Ctrl+-"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char out[kShortcutTextCapacity];
        EXPECT_EQ(shortcut_text(c.keys, std::strlen(c.keys), out), std::strlen(c.text))
            << c.keys;
        EXPECT_STREQ(out, c.text) << c.keys;
    }
}

TEST_F(Menus, TheBarHoldsThePopupMenusWithTheirItemsIdsAndShortcutTexts) {
    ASSERT_EQ(GetMenu(hwnd()), bar());
    ASSERT_EQ(GetMenuItemCount(bar()), 3) << "menus of kinds 1 and 2 make no popup";
    EXPECT_EQ(menu_string(bar(), 0), "File");
    EXPECT_EQ(menu_string(bar(), 1), "Bulk");
    EXPECT_EQ(menu_string(bar(), 2), "Extra");
    ASSERT_EQ(GetMenuItemCount(file()), 6) << "the skipped item is not there";
    const struct {
        const char* label;
        UINT id;
    } expected[] = {{"Save\tCtrl+S", 1000}, {"", 1001}, {"Grey\tCtrl+Shft+G", 1002},
                    {"Copy\tCtrl+C", 1003}, {"More", 1004}, {"Plain\tAlt+F4", 1008}};
    for (UINT i = 0; i < 6; ++i) {
        EXPECT_EQ(menu_string(file(), i), expected[i].label) << i;
        EXPECT_EQ(GetMenuItemID(file(), static_cast<int>(i)), i == 4 ? UINT(-1) : expected[i].id) << i;
    }
    EXPECT_TRUE(GetMenuState(file(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    ASSERT_EQ(GetMenuItemCount(more()), 3);
    EXPECT_EQ(GetMenuItemID(more(), 0), 1005u);
    EXPECT_EQ(GetMenuItemID(more(), 2), 1007u);

    EXPECT_EQ(named("Ghost"), nullptr);
    EXPECT_EQ(named("Unseen"), nullptr);
    EXPECT_EQ(named("UnseenToo"), nullptr);
    EXPECT_EQ(named("recent"), nullptr) << "array members are found with their index only";
    EXPECT_NE(named("LOOSE"), nullptr) << "0x80000010 means: not in an array";
    RuntimeString* recent = text("Recent");
    RuntimeObject* second = RuntimeMenuArrayReference(recent, 1);
    EXPECT_EQ(id_of(second), 1006);
    EXPECT_EQ(RuntimeMenuArrayReference(recent, 5), nullptr);
    RuntimeUnlockObject(second);
    RuntimeUnlockString(recent);
}

TEST_F(Menus, ThePassAsksItemsFocusWindowAndApplicationInOrderAndShowsOnlyWhatTheyEnabled) {
    focus_field();
    open_menus();
    EXPECT_EQ(g_log, "enable Save;grey asked;enable recent;enable recent;focus;window;application;");
    // Grey's EnableMenu did not enable it, and no one else mentions it.
    EXPECT_TRUE(greyed(file(), 2));
    EXPECT_FALSE(greyed(file(), 0));
    EXPECT_FALSE(greyed(file(), 3)) << "the focus pane enabled EditCopy";
    EXPECT_TRUE(greyed(file(), 5)) << "nobody enabled Plain";

    // Without the focus, EditCopy goes grey at the next pass; an enabled
    // byte set outside the pass shows only once a pass re-applies it.
    focus_set(nullptr);
    RuntimeEnableMenu(named("Plain"));
    EXPECT_TRUE(greyed(file(), 5));
    open_menus();
    EXPECT_TRUE(greyed(file(), 3));
    EXPECT_TRUE(greyed(file(), 5));

    // Re-applying touches only items whose wanted byte changed: Save stays
    // as the native menu has it, since its byte did not change.
    EnableMenuItem(file(), 0, MF_BYPOSITION | MF_GRAYED);
    open_menus();
    EXPECT_TRUE(greyed(file(), 0));
    EnableMenuItem(file(), 0, MF_BYPOSITION | MF_ENABLED);
}

TEST_F(Menus, ACommandGoesToTheFocusThenTheWindowThenTheApplicationThenTheAction) {
    focus_field();
    command(named("EditCopy"));
    EXPECT_EQ(g_log, "focus EditCopy;");
    const struct {
        bool window_takes, application_takes;
        const char* log;
    } cases[] = {
        {true, true, "window Save;"},
        {false, true, "window Save;application Save;"},
        {false, false, "window Save;application Save;action Save;"},
    };
    for (const auto& c : cases) {
        g_window_takes = c.window_takes;
        g_application_takes = c.application_takes;
        g_log.clear();
        command(named("Save"));
        EXPECT_EQ(g_log, c.log);
    }
}

TEST_F(Menus, ASeparatorNeverReceivesCommandsAndAnArrayMemberItsIndex) {
    RuntimeString* recent = text("recent");
    RuntimeObject* second = RuntimeMenuArrayReference(recent, 1);
    RuntimeUnlockString(recent);
    SendMessageA(hwnd(), WM_COMMAND, 1001, 0);  // the separator's id
    command(second);
    RuntimeUnlockObject(second);
    EXPECT_EQ(g_log, "window recent 1;");
}

TEST_F(Menus, AShortcutComesBeforeTheFocusPaneAndDoesNothingForAGreyItem) {
    focus_field();
    key('S');
    EXPECT_EQ(g_log, "enable Save;grey asked;enable recent;enable recent;focus;window;application;window Save;");
    g_log.clear();
    key('G', true);
    EXPECT_EQ(g_log.find("grey action"), std::string::npos) << g_log;
    EXPECT_EQ(g_log.find("pane key"), std::string::npos) << "the grey item's shortcut is still consumed: " << g_log;
    g_log.clear();
    key('B');
    EXPECT_EQ(g_log, "pane key 66;") << "no item has Ctrl+B";
    focus_set(nullptr);
}

TEST_F(Menus, ACloneComesAfterTheLastOfItsNameWithTheSmallestFreeIndex) {
    RuntimeString* recent = text("recent");
    RuntimeObject* clone = RuntimeCloneMenu(recent);
    ASSERT_NE(clone, nullptr);
    RuntimeObject* third = RuntimeMenuArrayReference(recent, 2);
    EXPECT_EQ(third, clone);
    ASSERT_EQ(GetMenuItemCount(more()), 4);
    EXPECT_EQ(GetMenuItemID(more(), 2), static_cast<UINT>(id_of(clone))) << "right after recent(1), before Loose";
    EXPECT_EQ(menu_string(more(), 2), "Recent 1");
    set_text(clone, "Recent 2");
    EXPECT_EQ(menu_string(more(), 2), "Recent 2");
    command(clone);
    EXPECT_EQ(g_log, "window recent 2;");

    // Closing frees the id; the next clone takes it and the index again.
    const std::int32_t id = id_of(clone);
    RuntimeCloseMenuItem(clone);
    EXPECT_EQ(GetMenuItemCount(more()), 3);
    EXPECT_EQ(id_of(clone), 0);
    RuntimeUnlockObject(third);
    RuntimeUnlockObject(clone);
    RuntimeObject* again = RuntimeCloneMenu(recent);
    EXPECT_EQ(id_of(again), id);
    RuntimeString* shown = menuItemTextGetter(again);
    EXPECT_STREQ(string_cstr(shown), "Recent 1");
    RuntimeUnlockString(shown);
    RuntimeCloseMenuItem(again);
    RuntimeUnlockObject(again);
    EXPECT_EQ(RuntimeCloneMenu(nullptr), nullptr);
    RuntimeString* nobody = text("nobody");
    EXPECT_EQ(RuntimeCloneMenu(nobody), nullptr);
    RuntimeUnlockString(nobody);
    RuntimeUnlockString(recent);
}

TEST_F(Menus, The1025thLiveItemGetsNoIdUntilAnotherIsClosed) {
    // Eleven items live: 1,013 clones fill the table, the next has no id.
    RuntimeString* name = text("bulk");
    std::vector<RuntimeObject*> clones;
    for (int i = 0; i < 1013; ++i) clones.push_back(RuntimeCloneMenu(name));
    EXPECT_EQ(id_of(clones.back()), 2023);
    RuntimeObject* extra = RuntimeCloneMenu(name);
    EXPECT_EQ(id_of(extra), 0);
    const int count = GetMenuItemCount(bulk());
    EXPECT_EQ(GetMenuItemID(bulk(), count - 1), 0u);
    g_log.clear();
    SendMessageA(hwnd(), WM_COMMAND, 0, 0);
    EXPECT_EQ(g_log, "") << "an item without id cannot be chosen";

    RuntimeCloseMenuItem(clones[10]);
    RuntimeObject* reuse = RuntimeCloneMenu(name);
    EXPECT_EQ(id_of(reuse), id_of(clones[9]) + 1);
    for (RuntimeObject* c : clones) RuntimeCloseMenuItem(c), RuntimeUnlockObject(c);
    RuntimeCloseMenuItem(extra);
    RuntimeUnlockObject(extra);
    RuntimeCloseMenuItem(reuse);
    RuntimeUnlockObject(reuse);
    RuntimeUnlockString(name);
    EXPECT_EQ(GetMenuItemCount(bulk()), 1);
}

TEST_F(Menus, AQuitItemIsAlwaysEnabledAndTheApplicationsOwnActionComesFirst) {
    HMENU extra = GetSubMenu(bar(), 2);
    open_menus();
    EXPECT_FALSE(greyed(extra, 0)) << "nobody else enables it";
    g_log.clear();
    command(named("Quit"));
    EXPECT_EQ(g_log, "quit action;");
    EXPECT_FALSE(main_loop_quitting()) << "its own Action took the command";
}

TEST_F(Menus, TextAndShortcutChangesShowAndTheNewShortcutWorks) {
    RuntimeObject* save = named("Save");
    set_text(save, "Store");
    set_key(save, "Shift-K");
    EXPECT_EQ(menu_string(file(), 0), "Store\tCtrl+Shft+K");
    key('K', true);
    EXPECT_NE(g_log.find("window Save;"), std::string::npos) << g_log;
    set_text(save, "Save");
    set_key(save, "S");
    EXPECT_EQ(menu_string(file(), 0), "Save\tCtrl+S");
}

TEST_F(Menus, TheWindowShowsAndHidesTheBar) {
    windowMenusVisibleSetter(window_, 0, false);
    EXPECT_EQ(GetMenu(hwnd()), nullptr);
    windowMenusVisibleSetter(window_, 0, true);
    EXPECT_EQ(GetMenu(hwnd()), bar());
}

TEST_F(Menus, ThePassOver500ItemsStaysUnder5Milliseconds) {
    RuntimeString* name = text("bulk");
    std::vector<RuntimeObject*> clones;
    for (int i = 0; i < 489; ++i) clones.push_back(RuntimeCloneMenu(name));  // 500 live items
    open_menus();
    constexpr int kRounds = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) open_menus();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kRounds;
    std::printf("EnableMenuItems pass over 500 items: %.3f ms\n", ms);
    EXPECT_LT(ms, 5.0);
    for (RuntimeObject* c : clones) RuntimeCloseMenuItem(c), RuntimeUnlockObject(c);
    RuntimeUnlockString(name);
}

}  // namespace
