#include "controls/check_box/check_box.h"

#include <cstddef>
#include <cstring>

#include "controls/builtin_control.h"
#include "controls/check_box/check_box_pane.h"
#include "descriptions/property_tables.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "panes/binding_interfaces.h"
#include "panes/control_panes.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

CheckBoxEvents g_check_box_events;

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

const EventTableRow kEvents[] = {
    {0, "Action", "", "", 1001, &g_check_box_events.action},
};

const PropertyRow kRows[] = {
    {0, "Caption", &kStringType, kValue, as_getter(checkBoxTitleGetter), as_setter(checkBoxTitleSetter), 0},
    {0, "Value", &kBooleanType, kValue, as_getter(checkBoxValueGetter), as_setter(checkBoxValueSetter), 0},
    {0, "State", &kBooleanType, kValue, as_getter(checkBoxValueGetter), as_setter(checkBoxValueSetter), 0},
    {0, "TextFont", &kStringType, kValue, as_getter(checkBoxTextFontGetter), as_setter(checkBoxTextFontSetter), 0},
    {0, "TextSize", &kIntegerType, kValue, as_getter(checkBoxTextSizeGetter), as_setter(checkBoxTextSizeSetter), 0},
    {0, "Bold", &kBooleanType, kValue, as_getter(checkBoxBoldGetter), as_setter(checkBoxBoldSetter), 0},
    {0, "Italic", &kBooleanType, kValue, as_getter(checkBoxItalicGetter), as_setter(checkBoxItalicSetter), 0},
    {0, "Underline", &kBooleanType, kValue, as_getter(checkBoxUnderlineGetter), as_setter(checkBoxUnderlineSetter),
     0},
};

// The part that a binding gets for the box's checked or unchecked action.
struct CheckBoxAction {
    RuntimeObject header;
    RuntimeObject* box;  // one reference
    std::int32_t unchecked;
};

CheckBoxObject* box_of(RuntimeObject* object) { return reinterpret_cast<CheckBoxObject*>(object); }
CheckBoxPane* pane_of(CheckBoxObject* box) { return static_cast<CheckBoxPane*>(control_pane(&box->control)); }

// The box's window is open and not closing.
bool on_live_window(const CheckBoxObject* box) {
    const WindowObject* window = box->control.window;
    return window && window->view && !window->view->closing;
}

void destroy(RuntimeObject* object, RuntimeClass*) {
    CheckBoxObject* box = box_of(object);
    RuntimeUnlockString(box->caption);
    box->caption = nullptr;
    text_style_release(box->style);
    receivers_clear(box->data_receivers);
    receivers_clear(box->checked_receivers);
    receivers_clear(box->unchecked_receivers);
}

void create_pane(RuntimeObject* object) {
    CheckBoxObject* box = box_of(object);
    auto* pane = new CheckBoxPane(box);
    if (!pane->create_box()) {
        delete pane;
        return;
    }
    box->control.pane = pane;
}

void restyle(RuntimeObject* object) {
    if (CheckBoxPane* pane = pane_of(box_of(object))) pane->set_style(box_of(object)->style);
}

void set_attribute(RuntimeObject* object, std::uint8_t TextStyle::*attribute, bool on) {
    if (!object) return;
    box_of(object)->style.*attribute = on ? 1 : 0;
    restyle(object);
}

bool attribute(RuntimeObject* object, std::uint8_t TextStyle::*attribute) {
    return object && box_of(object)->style.*attribute;
}

CheckBoxAction* action_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(B::SysCheckBoxAction))) return nullptr;
    auto* part = reinterpret_cast<CheckBoxAction*>(object);
    return part->box ? part : nullptr;
}

ReceiverList& part_list(CheckBoxAction* part) {
    CheckBoxObject* box = box_of(part->box);
    return part->unchecked ? box->unchecked_receivers : box->checked_receivers;
}

void action_release(RuntimeObject* object, RuntimeClass*) {
    auto* part = reinterpret_cast<CheckBoxAction*>(object);
    RuntimeUnlockObject(part->box);
    part->box = nullptr;
}

bool named(const RuntimeString* name, const char* text) {
    return name && name_compare(string_cstr(name), string_length(name), text, std::strlen(text)) == 0;
}

RuntimeObject* new_part(RuntimeObject* box, bool unchecked) {
    RuntimeObject* object = object_new(builtin_class(B::SysCheckBoxAction));
    auto* part = reinterpret_cast<CheckBoxAction*>(object);
    part->box = RuntimeLockObject(box);
    part->unchecked = unchecked;
    return object;
}

}  // namespace

void check_box_describe() {
    control_class_events(B::CheckBox, kEvents);
    property_table_install(B::CheckBox, kRows);
    builtin_class(B::CheckBox)->destructor = destroy;
    control_class_create_pane(B::CheckBox, create_pane);
    builtin_implements(B::CheckBox, "bindingPartInterface", checkBoxGetBoundPart);
    builtin_implements(B::CheckBox, "BooleanProvider", checkBoxGetBoolean, checkBoxSetBoolean);
    builtin_implements(B::CheckBox, "dataNotifier", checkBoxAddDataNotificationReceiver,
                       checkBoxRemoveDataNotificationReceiver);
    // The part objects carry their box, beyond the bare object header.
    RuntimeClass* part = builtin_class(B::SysCheckBoxAction);
    part->instance_size = sizeof(CheckBoxAction);
    part->destructor = action_release;
    builtin_implements(B::SysCheckBoxAction, "actionSource", cbaAddActionNotificationReceiver,
                       cbaRemoveActionNotificationReceiver);
}

// The box and its window are held while receivers and the handler run:
// either may close the window, which releases its controls.
void check_box_react(CheckBoxObject* box) {
    CheckBoxPane* pane = pane_of(box);
    if (pane) box->value = pane->checked() ? 1 : 0;
    if (box->reacting || !on_live_window(box)) return;
    box->reacting = 1;
    RuntimeObject* object = RuntimeLockObject(&box->control.header);
    RuntimeObject* window = RuntimeLockObject(as_object(box->control.window));
    receivers_notify_data(box->data_receivers);
    if (on_live_window(box)) fire_event(object, g_check_box_events.action);
    if (on_live_window(box))
        receivers_notify_action(box->value ? box->checked_receivers : box->unchecked_receivers);
    if (on_live_window(box)) box->reacting = 0;
    RuntimeUnlockObject(window);
    RuntimeUnlockObject(object);
}

extern "C" {

RuntimeString* checkBoxTitleGetter(RuntimeObject* object, std::uint32_t) {
    if (!object) return nullptr;
    RuntimeLockString(box_of(object)->caption);
    return box_of(object)->caption;
}

void checkBoxTitleSetter(RuntimeObject* object, std::uint32_t, RuntimeString* caption) {
    if (!object) return;
    CheckBoxObject* box = box_of(object);
    string_assign(&box->caption, caption);
    if (CheckBoxPane* pane = pane_of(box)) pane->set_caption(caption);
}

bool checkBoxValueGetter(RuntimeObject* object, std::uint32_t) { return object && box_of(object)->value; }

void checkBoxValueSetter(RuntimeObject* object, std::uint32_t, bool on) {
    if (!object) return;
    CheckBoxObject* box = box_of(object);
    if (CheckBoxPane* pane = pane_of(box)) {
        pane->set_checked(on);
        check_box_react(box);
    }
    box->value = on ? 1 : 0;
}

bool checkBoxGetBoolean(RuntimeObject* box) { return checkBoxValueGetter(box, 0); }
void checkBoxSetBoolean(RuntimeObject* box, bool on) { checkBoxValueSetter(box, 0, on); }

RuntimeString* checkBoxTextFontGetter(RuntimeObject* object, std::uint32_t) {
    if (!object) return nullptr;
    RuntimeLockString(box_of(object)->style.font);
    return box_of(object)->style.font;
}

void checkBoxTextFontSetter(RuntimeObject* object, std::uint32_t, RuntimeString* name) {
    if (!object) return;
    string_assign(&box_of(object)->style.font, name);
    restyle(object);
}

std::int32_t checkBoxTextSizeGetter(RuntimeObject* object, std::uint32_t) {
    return object ? box_of(object)->style.size : 0;
}

void checkBoxTextSizeSetter(RuntimeObject* object, std::uint32_t, std::int32_t size) {
    if (!object) return;
    box_of(object)->style.size = static_cast<std::int16_t>(size);
    restyle(object);
}

bool checkBoxBoldGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::bold); }
void checkBoxBoldSetter(RuntimeObject* object, std::uint32_t, bool on) { set_attribute(object, &TextStyle::bold, on); }
bool checkBoxItalicGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::italic); }
void checkBoxItalicSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_attribute(object, &TextStyle::italic, on);
}
bool checkBoxUnderlineGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::underline); }
void checkBoxUnderlineSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_attribute(object, &TextStyle::underline, on);
}

void checkBoxAddDataNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (object) receivers_add(box_of(object)->data_receivers, receiver);
}

void checkBoxRemoveDataNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (object) receivers_remove(box_of(object)->data_receivers, receiver);
}

RuntimeObject* checkBoxGetBoundPart(RuntimeObject* box, RuntimeString* name) {
    if (!box) return nullptr;
    if (named(name, "getCheckedAction")) return new_part(box, false);
    if (named(name, "getUncheckedAction")) return new_part(box, true);
    return nullptr;
}

void cbaAddActionNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (CheckBoxAction* part = action_of(object)) receivers_add(part_list(part), receiver);
}

void cbaRemoveActionNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (CheckBoxAction* part = action_of(object)) receivers_remove(part_list(part), receiver);
}

}  // extern "C"
