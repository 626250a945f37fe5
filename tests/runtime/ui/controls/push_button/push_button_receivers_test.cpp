// The action receivers of a push button hear a click before Action does;
// removed receivers hear nothing; Push does nothing while the button is
// disabled.
#include <gtest/gtest.h>

#include <string>

#include "controls/control_accessors.h"
#include "controls/push_button/push_button.h"
#include "descriptions/control_lookup.h"
#include "descriptions/window_description.h"
#include "descriptions/window_test_support.h"
#include "objects/debugger.h"
#include "panes/binding_interfaces.h"
#include "panes/pane_entry_points.h"
#include "windows/window_operations.h"

namespace {

std::string g_log;

void on_action(RuntimeObject*) { g_log += "action "; }
void performed(RuntimeObject*) { g_log += "receiver "; }

void pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

enum { kWindow, kButton, kClassCount };

TEST(PushButtonReceivers, HearAClickBeforeActionAndNothingOnceRemoved) {
    window_layer_ready();
    static RuntimeClass* classes[kClassCount] = {
        test_class("ButtonWindow", BuiltinClass::Window),
        test_class("ReceivingButton", BuiltinClass::PushButton, {{"Action", reinterpret_cast<void*>(on_action)}}),
    };
    class_table_install(classes, kClassCount);
    static RuntimeClass* receiver_class = [] {
        RuntimeClass* cls = class_new(string_from_cstr("ActionLog"));
        cls->superclass = builtin_class(BuiltinClass::Object);
        cls->instance_size = cls->superclass->instance_size;
        void* const table[] = {reinterpret_cast<void*>(performed)};
        builtin_class_implements(cls, "actionNotificationReceiver", table);
        return cls;
    }();
    const std::int32_t objects_before = RuntimeDebugObjectCount(nullptr);

    const ControlEntry button = {kButton, {{"Name", "Go"}, {"Index", "-2147483648"}, {"Left", "10"}, {"Top", "10"},
                                           {"Width", "80"}, {"Height", "24"}, {"Caption", "Go"}}};
    const std::vector<std::uint8_t> description = window_description(kWindow, {{"Title", "Receivers"}}, {button});
    RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
    ASSERT_NE(window, nullptr);
    RuntimeString* name = string_from_cstr("go");
    RuntimeObject* control = RuntimeControlFetch(window, name);
    RuntimeUnlockString(name);
    ASSERT_NE(control, nullptr);
    RuntimeObject* receiver = object_new(receiver_class);
    pbAddActionNotificationReceiver(control, receiver);

    HWND native = reinterpret_cast<HWND>(static_cast<std::intptr_t>(controlMacControlHandleGetter(control, 0)));
    ASSERT_NE(native, nullptr);
    g_log.clear();
    PostMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(native, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(g_log, "receiver action ") << "a click";

    g_log.clear();
    pushButtonPush(control);
    EXPECT_EQ(g_log, "receiver action ") << "Push";

    controlEnabledSetter(control, 0, false);
    g_log.clear();
    pushButtonPush(control);
    EXPECT_EQ(g_log, "") << "Push on a disabled button";
    controlEnabledSetter(control, 0, true);

    pbRemoveActionNotificationReceiver(control, receiver);
    g_log.clear();
    pushButtonPush(control);
    EXPECT_EQ(g_log, "action ") << "after the receiver was removed";

    RuntimeUnlockObject(receiver);
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before) << "the window, its button and the receiver are gone";
}

}  // namespace
