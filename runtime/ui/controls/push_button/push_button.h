// PushButton: a Win32 push button whose click notifies its action
// receivers and raises Action; it may be its window's default button
// (Enter) or cancel button (Escape).
#pragma once

#include <cstdint>

#include "controls/control_object.h"
#include "controls/text_style.h"
#include "panes/receivers.h"

struct EventDefinition;

struct PushButtonObject {
    ControlObject control;
    RuntimeString* caption;  // one reference
    TextStyle style;
    std::uint8_t is_default, is_cancel, reacting, unused;  // reacting: the click reaction runs
    ReceiverList action_receivers;
    std::uint32_t reserved;
};
static_assert(sizeof(PushButtonObject) == 116, "the size of the built-in class");

struct PushButtonEvents {
    EventDefinition* action;
};
extern PushButtonEvents g_push_button_events;

// The class's property table, events, destructor and CreatePane.
void push_button_describe();

// The click reaction: the action receivers, then Action.
void push_button_react(PushButtonObject* button);

extern "C" {
RuntimeString* pushButtonTitleGetter(RuntimeObject* button, std::uint32_t);
void pushButtonTitleSetter(RuntimeObject* button, std::uint32_t, RuntimeString* caption);
bool pushButtonDefaultGetter(RuntimeObject* button, std::uint32_t);
void pushButtonDefaultSetter(RuntimeObject* button, std::uint32_t, bool on);
bool pushButtonCancelGetter(RuntimeObject* button, std::uint32_t);
void pushButtonCancelSetter(RuntimeObject* button, std::uint32_t, bool on);
RuntimeString* pushButtonTextFontGetter(RuntimeObject* button, std::uint32_t);
void pushButtonTextFontSetter(RuntimeObject* button, std::uint32_t, RuntimeString* name);
std::int32_t pushButtonTextSizeGetter(RuntimeObject* button, std::uint32_t);
void pushButtonTextSizeSetter(RuntimeObject* button, std::uint32_t, std::int32_t size);
bool pushButtonBoldGetter(RuntimeObject* button, std::uint32_t);
void pushButtonBoldSetter(RuntimeObject* button, std::uint32_t, bool on);
bool pushButtonItalicGetter(RuntimeObject* button, std::uint32_t);
void pushButtonItalicSetter(RuntimeObject* button, std::uint32_t, bool on);
bool pushButtonUnderlineGetter(RuntimeObject* button, std::uint32_t);
void pushButtonUnderlineSetter(RuntimeObject* button, std::uint32_t, bool on);
void pushButtonPush(RuntimeObject* button);
void pbAddActionNotificationReceiver(RuntimeObject* button, RuntimeObject* receiver);
void pbRemoveActionNotificationReceiver(RuntimeObject* button, RuntimeObject* receiver);
}
