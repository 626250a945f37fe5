// The receivers of a check box: data receivers, then Action, then the
// receivers of the checked or the unchecked action part, for Value set from
// code and for a real click; removed receivers hear nothing more.
#include <gtest/gtest.h>

#include <string>

#include "controls/check_box/check_box.h"
#include "descriptions/control_lookup.h"
#include "descriptions/interface_calls.h"
#include "descriptions/window_description.h"
#include "descriptions/window_test_support.h"
#include "objects/debugger.h"
#include "panes/binding_interfaces.h"
#include "panes/pane_entry_points.h"
#include "windows/window_operations.h"

namespace {

std::string g_log;

void on_action(RuntimeObject*) { g_log += "action "; }
void data_changed(RuntimeObject*) { g_log += "data "; }
void checked(RuntimeObject*) { g_log += "checked "; }
void unchecked(RuntimeObject*) { g_log += "unchecked "; }

RuntimeClass* receiver_class(const char* name, const char* interface_name, void (*code)(RuntimeObject*)) {
    RuntimeClass* cls = class_new(string_from_cstr(name));
    cls->superclass = builtin_class(BuiltinClass::Object);
    cls->instance_size = cls->superclass->instance_size;
    void* const table[] = {reinterpret_cast<void*>(code)};
    builtin_class_implements(cls, interface_name, table);
    return cls;
}

void pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

enum { kWindow, kBox, kClassCount };

TEST(CheckBoxReceivers, DataThenActionThenTheCheckedOrUncheckedPart) {
    window_layer_ready();
    static RuntimeClass* classes[kClassCount] = {
        test_class("ReceiverWindow", BuiltinClass::Window),
        test_class("ReceivingBox", BuiltinClass::CheckBox, {{"Action", reinterpret_cast<void*>(on_action)}}),
    };
    class_table_install(classes, kClassCount);
    static RuntimeClass* data_class = receiver_class("DataLog", "dataNotificationReceiver", data_changed);
    static RuntimeClass* checked_class = receiver_class("CheckedLog", "actionNotificationReceiver", checked);
    static RuntimeClass* unchecked_class = receiver_class("UncheckedLog", "actionNotificationReceiver", unchecked);
    const std::int32_t objects_before = RuntimeDebugObjectCount(nullptr);

    const ControlEntry box = {kBox, {{"Name", "Box"}, {"Index", "-2147483648"}, {"Left", "10"}, {"Top", "10"},
                                     {"Width", "120"}, {"Height", "20"}, {"Caption", "Box"}}};
    const std::vector<std::uint8_t> description = window_description(kWindow, {{"Title", "Receivers"}}, {box});
    RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
    ASSERT_NE(window, nullptr);
    RuntimeString* name = string_from_cstr("box");
    RuntimeObject* control = RuntimeControlFetch(window, name);
    RuntimeUnlockString(name);
    ASSERT_NE(control, nullptr);

    // A binding reaches the parts through the box's getBoundPart.
    auto get_part = reinterpret_cast<RuntimeObject* (*)(RuntimeObject*, RuntimeString*)>(
        interface_method(control, "bindingPartInterface", "getBoundPart"));
    ASSERT_NE(get_part, nullptr);
    RuntimeString* checked_name = string_from_cstr("getCheckedAction");
    RuntimeString* unchecked_name = string_from_cstr("getUncheckedAction");
    RuntimeString* other_name = string_from_cstr("getSomethingElse");
    RuntimeObject* checked_part = get_part(control, checked_name);
    RuntimeObject* unchecked_part = get_part(control, unchecked_name);
    EXPECT_EQ(get_part(control, other_name), nullptr);
    RuntimeObject* data = object_new(data_class);
    RuntimeObject* on = object_new(checked_class);
    RuntimeObject* off = object_new(unchecked_class);
    checkBoxAddDataNotificationReceiver(control, data);
    cbaAddActionNotificationReceiver(checked_part, on);
    cbaAddActionNotificationReceiver(unchecked_part, off);

    g_log.clear();
    checkBoxValueSetter(control, 0, true);
    EXPECT_EQ(g_log, "data action checked ");
    EXPECT_TRUE(checkBoxValueGetter(control, 0));
    g_log.clear();
    checkBoxSetBoolean(control, false);
    EXPECT_EQ(g_log, "data action unchecked ");
    EXPECT_FALSE(checkBoxGetBoolean(control));

    // A click on the box itself: the runtime toggles it.
    HWND native = reinterpret_cast<HWND>(static_cast<std::intptr_t>(controlMacControlHandleGetter(control, 0)));
    ASSERT_NE(native, nullptr);
    g_log.clear();
    PostMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(native, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(g_log, "data action checked ");
    EXPECT_TRUE(checkBoxValueGetter(control, 0));
    EXPECT_EQ(SendMessageA(native, BM_GETCHECK, 0, 0), BST_CHECKED);

    checkBoxRemoveDataNotificationReceiver(control, data);
    cbaRemoveActionNotificationReceiver(unchecked_part, off);
    g_log.clear();
    checkBoxValueSetter(control, 0, false);
    EXPECT_EQ(g_log, "action ") << "removed receivers hear nothing";

    RuntimeUnlockObject(data);
    RuntimeUnlockObject(on);
    RuntimeUnlockObject(off);
    RuntimeUnlockObject(checked_part);
    RuntimeUnlockObject(unchecked_part);
    RuntimeUnlockString(checked_name);
    RuntimeUnlockString(unchecked_name);
    RuntimeUnlockString(other_name);
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before) << "the window, its box and the receivers are gone";
}

}  // namespace
