#include "controls/push_button/push_button.h"

#include <cstddef>

#include "controls/builtin_control.h"
#include "controls/push_button/push_button_pane.h"
#include "descriptions/property_tables.h"
#include "objects/classes.h"
#include "panes/binding_interfaces.h"
#include "panes/control_panes.h"
#include "strings/runtime_string.h"
#include "windows/window_events.h"

PushButtonEvents g_push_button_events;

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

const EventTableRow kEvents[] = {
    {0, "Action", "", "", 1001, &g_push_button_events.action},
};

const PropertyRow kRows[] = {
    {0, "Caption", &kStringType, kValue, as_getter(pushButtonTitleGetter), as_setter(pushButtonTitleSetter), 0},
    {0, "Default", &kBooleanType, kValue, as_getter(pushButtonDefaultGetter), as_setter(pushButtonDefaultSetter), 0},
    {0, "Cancel", &kBooleanType, kValue, as_getter(pushButtonCancelGetter), as_setter(pushButtonCancelSetter), 0},
    {0, "TextFont", &kStringType, kValue, as_getter(pushButtonTextFontGetter), as_setter(pushButtonTextFontSetter), 0},
    {0, "TextSize", &kIntegerType, kValue, as_getter(pushButtonTextSizeGetter), as_setter(pushButtonTextSizeSetter),
     0},
    {0, "Bold", &kBooleanType, kValue, as_getter(pushButtonBoldGetter), as_setter(pushButtonBoldSetter), 0},
    {0, "Italic", &kBooleanType, kValue, as_getter(pushButtonItalicGetter), as_setter(pushButtonItalicSetter), 0},
    {0, "Underline", &kBooleanType, kValue, as_getter(pushButtonUnderlineGetter),
     as_setter(pushButtonUnderlineSetter), 0},
};

PushButtonObject* button_of(RuntimeObject* object) { return reinterpret_cast<PushButtonObject*>(object); }
PushButtonPane* pane_of(PushButtonObject* button) {
    return static_cast<PushButtonPane*>(control_pane(&button->control));
}

void destroy(RuntimeObject* object, RuntimeClass*) {
    PushButtonObject* button = button_of(object);
    RuntimeUnlockString(button->caption);
    button->caption = nullptr;
    text_style_release(button->style);
    receivers_clear(button->action_receivers);
}

void create_pane(RuntimeObject* object) {
    PushButtonObject* button = button_of(object);
    auto* pane = new PushButtonPane(button);
    if (!pane->create_button()) {
        delete pane;
        return;
    }
    button->control.pane = pane;
    pane->set_default(button->is_default);
}

void restyle(RuntimeObject* object) {
    if (PushButtonPane* pane = pane_of(button_of(object))) pane->set_style(button_of(object)->style);
}

void set_attribute(RuntimeObject* object, std::uint8_t TextStyle::*attribute, bool on) {
    if (!object) return;
    button_of(object)->style.*attribute = on ? 1 : 0;
    restyle(object);
}

bool attribute(RuntimeObject* object, std::uint8_t TextStyle::*attribute) {
    return object && button_of(object)->style.*attribute;
}

}  // namespace

void push_button_describe() {
    control_class_events(B::PushButton, kEvents);
    property_table_install(B::PushButton, kRows);
    builtin_class(B::PushButton)->destructor = destroy;
    control_class_create_pane(B::PushButton, create_pane);
    // A binding may make a button the source of actions or their receiver.
    builtin_implements(B::PushButton, "actionSource", pbAddActionNotificationReceiver,
                       pbRemoveActionNotificationReceiver);
    builtin_implements(B::PushButton, "actionNotificationReceiver", pushButtonPush);
}

// A receiver or the handler may close the window and with it release the
// button: it is held until the reaction is over. A button that a receiver
// pushes again meanwhile (two buttons bound to each other) stays still.
void push_button_react(PushButtonObject* button) {
    if (button->reacting) return;
    button->reacting = 1;
    RuntimeObject* object = RuntimeLockObject(&button->control.header);
    receivers_notify_action(button->action_receivers);
    fire_event(object, g_push_button_events.action);
    button->reacting = 0;
    RuntimeUnlockObject(object);
}

extern "C" {

RuntimeString* pushButtonTitleGetter(RuntimeObject* object, std::uint32_t) {
    if (!object) return nullptr;
    RuntimeLockString(button_of(object)->caption);
    return button_of(object)->caption;
}

void pushButtonTitleSetter(RuntimeObject* object, std::uint32_t, RuntimeString* caption) {
    if (!object) return;
    PushButtonObject* button = button_of(object);
    string_assign(&button->caption, caption);
    if (PushButtonPane* pane = pane_of(button)) pane->set_caption(caption);
}

bool pushButtonDefaultGetter(RuntimeObject* object, std::uint32_t) { return object && button_of(object)->is_default; }

void pushButtonDefaultSetter(RuntimeObject* object, std::uint32_t, bool on) {
    if (!object) return;
    PushButtonObject* button = button_of(object);
    if (PushButtonPane* pane = pane_of(button)) pane->set_default(on);
    button->is_default = on ? 1 : 0;
}

bool pushButtonCancelGetter(RuntimeObject* object, std::uint32_t) { return object && button_of(object)->is_cancel; }

void pushButtonCancelSetter(RuntimeObject* object, std::uint32_t, bool on) {
    if (!object) return;
    PushButtonObject* button = button_of(object);
    if (PushButtonPane* pane = pane_of(button)) pane->set_cancel(on);
    button->is_cancel = on ? 1 : 0;
}

RuntimeString* pushButtonTextFontGetter(RuntimeObject* object, std::uint32_t) {
    if (!object) return nullptr;
    RuntimeLockString(button_of(object)->style.font);
    return button_of(object)->style.font;
}

void pushButtonTextFontSetter(RuntimeObject* object, std::uint32_t, RuntimeString* name) {
    if (!object) return;
    string_assign(&button_of(object)->style.font, name);
    restyle(object);
}

std::int32_t pushButtonTextSizeGetter(RuntimeObject* object, std::uint32_t) {
    return object ? button_of(object)->style.size : 0;
}

void pushButtonTextSizeSetter(RuntimeObject* object, std::uint32_t, std::int32_t size) {
    if (!object) return;
    button_of(object)->style.size = static_cast<std::int16_t>(size);
    restyle(object);
}

bool pushButtonBoldGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::bold); }
void pushButtonBoldSetter(RuntimeObject* object, std::uint32_t, bool on) { set_attribute(object, &TextStyle::bold, on); }
bool pushButtonItalicGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::italic); }
void pushButtonItalicSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_attribute(object, &TextStyle::italic, on);
}
bool pushButtonUnderlineGetter(RuntimeObject* object, std::uint32_t) { return attribute(object, &TextStyle::underline); }
void pushButtonUnderlineSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_attribute(object, &TextStyle::underline, on);
}

void pushButtonPush(RuntimeObject* object) {
    if (!object) return;
    PushButtonPane* pane = pane_of(button_of(object));
    if (pane && pane->enabled) pane->push();
}

void pbAddActionNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (object) receivers_add(button_of(object)->action_receivers, receiver);
}

void pbRemoveActionNotificationReceiver(RuntimeObject* object, RuntimeObject* receiver) {
    if (object) receivers_remove(button_of(object)->action_receivers, receiver);
}

}  // extern "C"
