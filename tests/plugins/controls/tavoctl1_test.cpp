// tavoctl1 in a runtime of the tests' own, for what a person cannot see
// from outside: the action receivers told after Action, newest first; the
// menu rows read and assigned; the ChasingArrows' frame turning only while
// the control is visible.
#include <cstring>
#include <string>

#include "../../runtime/plugins/plugin_window_fixture.h"
#include "controls/control_accessors.h"
#include "objects/classes.h"
#include "plugin_classes.h"
#include "plugin_members.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

namespace {

enum { kHost, kActionButton, kChasing, kClassCount };
constexpr std::uint32_t kDataOffset = 92;

std::string g_log;
void on_action(RuntimeObject*) { g_log += "action;"; }
// Receivers told apart by their instance size.
void perform_action(RuntimeObject* receiver) { g_log += "told " + std::to_string(receiver->cls->instance_size) + ";"; }

RuntimeClass* class_named(const char* name) { return plugin_host_class_named(name, std::strlen(name)); }

void* method(const char* declaration, bool second = false) {
    const PluginMethod* m = plugin_method_declared(class_named("BevelButton"), declaration, std::strlen(declaration));
    return m ? (second ? m->second_function : m->function) : nullptr;
}

RuntimeClass* g_receivers[3] = {};

RuntimeClass* receiver_class(std::uint32_t size) {
    static void* table[] = {nullptr, reinterpret_cast<void*>(perform_action)};
    RuntimeClass* cls = class_new(string_from_cstr("Listener"));
    cls->instance_size = size;
    ClassInterface* entry = class_add_interface(cls, class_named("actionNotificationReceiver"));
    entry->methods = table;
    entry->method_count = 2;
    return cls;
}

bool loaded() {
    static bool ok = [] {
        plugin_window_layer_ready();
        std::string path = std::string("Z:") + CONTROLS_PLUGIN;
        for (char& c : path)
            if (c == '/') c = '\\';
        if (!plugin_load(path.c_str())) return false;
        RuntimeClass* bevel = class_named("BevelButton");
        RuntimeClass* chasing = class_named("ChasingArrows");
        if (!bevel || !chasing) return false;
        static RuntimeClass* classes[kClassCount] = {
            test_class("Tavoctl1Host", BuiltinClass::Window), nullptr, chasing};
        RuntimeClass* button = class_new(string_from_cstr("ActionButton"));
        button->superclass = bevel;
        button->instance_size = bevel->instance_size;
        class_add_handler(button, string_from_cstr("Action"), 0, reinterpret_cast<void*>(on_action));
        classes[kActionButton] = button;
        class_table_install(classes, kClassCount);
        for (int i = 0; i < 3; ++i) g_receivers[i] = receiver_class(28 + 4 * i);
        return true;
    }();
    return ok;
}

class Tavoctl1 : public PluginWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(loaded());
        begin(kActionButton);
    }
    static std::int32_t frame(RuntimeObject* control) {
        std::int32_t value;
        std::memcpy(&value, reinterpret_cast<std::uint8_t*>(control) + kDataOffset, sizeof value);
        return value;
    }
};

TEST_F(Tavoctl1, ActionReceiversAreToldAfterActionNewestFirst) {
    auto add = reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*)>(
        method("addActionNotificationReceiver(receiver As actionNotificationReceiver)"));
    auto remove = reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*)>(
        method("removeActionNotificationReceiver(receiver As actionNotificationReceiver)"));
    ASSERT_TRUE(add && remove);
    RuntimeObject* w = open({{kActionButton, 20, 30, 80, 24}});
    RuntimeObject* button = control(w, 0);
    RuntimeObject* first = object_new(g_receivers[0]);
    RuntimeObject* second = object_new(g_receivers[1]);
    RuntimeObject* gone = object_new(g_receivers[2]);
    add(button, first);
    add(button, gone);
    add(button, second);
    remove(button, gone);
    // The button holds its receivers.
    RuntimeUnlockObject(first);
    RuntimeUnlockObject(second);
    RuntimeUnlockObject(gone);
    g_log.clear();
    post_mouse(w, WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
    post_mouse(w, WM_LBUTTONUP, 30, 40);
    EXPECT_EQ(g_log, "action;told 32;told 28;");
    close(w);
}

TEST_F(Tavoctl1, MenuRowsAreReadAndAssignedByIndex) {
    auto add_row = reinterpret_cast<void (*)(RuntimeObject*, RuntimeString*)>(method("AddRow(text As String)"));
    auto add_separator = reinterpret_cast<void (*)(RuntimeObject*)>(method("AddSeparator"));
    auto delete_all = reinterpret_cast<void (*)(RuntimeObject*)>(method("DeleteAllRows"));
    auto list = reinterpret_cast<RuntimeString* (*)(RuntimeObject*, std::int32_t)>(method("List(row As Integer) As String"));
    auto assign = reinterpret_cast<void (*)(RuntimeObject*, std::int32_t, RuntimeString*)>(
        method("List(row As Integer) As String", true));
    ASSERT_TRUE(add_row && add_separator && delete_all && list && assign);
    RuntimeObject* w = open({{kActionButton, 20, 30, 80, 24}});
    RuntimeObject* button = control(w, 0);
    RuntimeString* a = string_from_cstr("a");
    RuntimeString* b = string_from_cstr("b");
    add_row(button, a);
    add_separator(button);
    assign(button, 0, b);
    assign(button, 7, a);  // out of range: nothing
    RuntimeUnlockString(a);
    RuntimeUnlockString(b);
    struct Case {
        std::int32_t row;
        const char* text;  // null: nil
    } cases[] = {{0, "b"}, {1, nullptr}, {2, nullptr}, {-1, nullptr}};
    for (const Case& c : cases) {
        RuntimeString* text = list(button, c.row);
        if (c.text) EXPECT_STREQ(string_cstr(text), c.text) << c.row;
        else EXPECT_EQ(text, nullptr) << c.row;
        RuntimeUnlockString(text);
    }
    delete_all(button);
    EXPECT_EQ(list(button, 0), nullptr);
    add_row(button, nullptr);  // rows left for the destructor to release
    close(w);
}

TEST_F(Tavoctl1, ChasingArrowsTurnOnlyWhileVisible) {
    RuntimeObject* w = open({{kChasing, 20, 30, 16, 16}});
    RuntimeObject* arrows = control(w, 0);
    const std::int32_t start = frame(arrows);
    pump_for(200);
    EXPECT_NE(frame(arrows), start) << "no turn while visible";
    ControlVisibleSetter(arrows, 0, false);
    const std::int32_t hidden = frame(arrows);
    pump_for(300);
    EXPECT_EQ(frame(arrows), hidden) << "turned while hidden";
    ControlVisibleSetter(arrows, 0, true);
    pump_for(200);
    EXPECT_NE(frame(arrows), hidden);
    EXPECT_GE(frame(arrows), 0);
    EXPECT_LT(frame(arrows), 8);
    close(w);
}

}  // namespace
