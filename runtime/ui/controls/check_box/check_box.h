// CheckBox: a Win32 check box that the runtime toggles itself. A click, or
// setting Value from code, tells its data receivers, raises Action and tells
// the checked or unchecked action receivers, once: a handler that sets
// Value again does not start another round.
#pragma once

#include <cstdint>

#include "controls/control_object.h"
#include "controls/text_style.h"
#include "panes/receivers.h"

struct EventDefinition;

struct CheckBoxObject {
    ControlObject control;
    RuntimeString* caption;  // one reference
    TextStyle style;
    std::uint8_t value, reacting, unused[2];
    ReceiverList data_receivers;
    ReceiverList checked_receivers;
    ReceiverList unchecked_receivers;
    std::uint32_t reserved[2];
};
static_assert(sizeof(CheckBoxObject) == 128, "the size of the built-in class");

struct CheckBoxEvents {
    EventDefinition* action;
};
extern CheckBoxEvents g_check_box_events;

// The class's property table, events, destructor, CreatePane and the
// action part class.
void check_box_describe();

// The click reaction, after the native check state was set.
void check_box_react(CheckBoxObject* box);

extern "C" {
RuntimeString* checkBoxTitleGetter(RuntimeObject* box, std::uint32_t);
void checkBoxTitleSetter(RuntimeObject* box, std::uint32_t, RuntimeString* caption);
bool checkBoxValueGetter(RuntimeObject* box, std::uint32_t);
void checkBoxValueSetter(RuntimeObject* box, std::uint32_t, bool on);
bool checkBoxGetBoolean(RuntimeObject* box);
void checkBoxSetBoolean(RuntimeObject* box, bool on);
RuntimeString* checkBoxTextFontGetter(RuntimeObject* box, std::uint32_t);
void checkBoxTextFontSetter(RuntimeObject* box, std::uint32_t, RuntimeString* name);
std::int32_t checkBoxTextSizeGetter(RuntimeObject* box, std::uint32_t);
void checkBoxTextSizeSetter(RuntimeObject* box, std::uint32_t, std::int32_t size);
bool checkBoxBoldGetter(RuntimeObject* box, std::uint32_t);
void checkBoxBoldSetter(RuntimeObject* box, std::uint32_t, bool on);
bool checkBoxItalicGetter(RuntimeObject* box, std::uint32_t);
void checkBoxItalicSetter(RuntimeObject* box, std::uint32_t, bool on);
bool checkBoxUnderlineGetter(RuntimeObject* box, std::uint32_t);
void checkBoxUnderlineSetter(RuntimeObject* box, std::uint32_t, bool on);
void checkBoxAddDataNotificationReceiver(RuntimeObject* box, RuntimeObject* receiver);
void checkBoxRemoveDataNotificationReceiver(RuntimeObject* box, RuntimeObject* receiver);
// "getCheckedAction" and "getUncheckedAction": a new Sys$CheckBoxAction
// part; nil for any other name.
RuntimeObject* checkBoxGetBoundPart(RuntimeObject* box, RuntimeString* name);
void cbaAddActionNotificationReceiver(RuntimeObject* part, RuntimeObject* receiver);
void cbaRemoveActionNotificationReceiver(RuntimeObject* part, RuntimeObject* receiver);
}
