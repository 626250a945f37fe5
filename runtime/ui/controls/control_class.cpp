#include "controls/control_class.h"

#include <windows.h>

#include <cstddef>

#include "controls/control_accessors.h"
#include "controls/control_object.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "panes/pane_entry_points.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kNone = B::Count;
constexpr std::uint32_t kRunTime = 0x01;

#define FIELD(member) static_cast<std::uint32_t>(offsetof(ControlObject, member))

POINT cursor_in_control(RuntimeObject* control) {
    POINT at = {0, 0};
    GetCursorPos(&at);
    const ControlObject* c = as_control(control);
    if (c->window && c->window->view) ScreenToClient(c->window->view->hwnd, &at);
    return {at.x - c->rect.left, at.y - c->rect.top};
}

}  // namespace

extern "C" std::int32_t controlMouseXGetter(RuntimeObject* control, std::uint32_t) {
    return control ? cursor_in_control(control).x : 0;
}

extern "C" std::int32_t controlMouseYGetter(RuntimeObject* control, std::uint32_t) {
    return control ? cursor_in_control(control).y : 0;
}

namespace {

const PropertyRow kControlRows[] = {
    {0x80, "Name", &kStringType, kNone, as_getter(stringGetter), as_setter(stringSetter), FIELD(name)},
    {0x80, "Index", &kIntegerType, kNone, field32_getter, field32_setter, FIELD(index)},
    {0, "BalloonHelp", &kStringType, kNone, as_getter(stringGetter), as_setter(controlBalloonHelpSetter),
     FIELD(balloon_help)},
    {0, "DisabledBalloonHelp", &kStringType, kNone, as_getter(stringGetter),
     as_setter(controlDisabledBalloonHelpSetter), FIELD(disabled_balloon_help)},
    {0x41, "TabPanelIndex", &kIntegerType, kNone, field32_getter, field32_setter, FIELD(tab_panel_index)},
    {kRunTime, "MouseCursor", nullptr, B::MouseCursor, as_getter(objGetter), as_setter(controlMouseCursorSetter),
     FIELD(mouse_cursor)},
    {kRunTime, "MouseX", &kIntegerType, kNone, as_getter(controlMouseXGetter), nullptr, 0},
    {kRunTime, "MouseY", &kIntegerType, kNone, as_getter(controlMouseYGetter), nullptr, 0},
    {kRunTime, "Window", nullptr, B::Window, as_getter(controlWindowGetter), nullptr, 0},
    {kRunTime, "Handle", &kIntegerType, kNone, as_getter(controlMacControlHandleGetter), nullptr, 0},
    {kRunTime, "MacControlHandle", &kIntegerType, kNone, as_getter(controlMacControlHandleGetter), nullptr, 0},
};

const PropertyRow kRectControlRows[] = {
    {0, "Visible", &kBooleanType, kNone, as_getter(controlVisibleGetter), as_setter(ControlVisibleSetter), 0},
    {0, "Left", &kIntegerType, kNone, as_getter(ctlPosGetter), as_setter(ctlPosSetter), 0},
    {0, "Top", &kIntegerType, kNone, as_getter(ctlPosGetter), as_setter(ctlPosSetter), 1},
    {0, "Width", &kIntegerType, kNone, as_getter(ctlPosGetter), as_setter(ctlPosSetter), 2},
    {0, "Height", &kIntegerType, kNone, as_getter(ctlPosGetter), as_setter(ctlPosSetter), 3},
    {0, "Enabled", &kBooleanType, kNone, as_getter(controlEnabledGetter), as_setter(controlEnabledSetter), 0},
    {0, "AutoDeactivate", &kBooleanType, kNone, as_getter(controlAutoDeactivateGetter),
     as_setter(controlAutoDeactivateSetter), 0},
    {0, "LockLeft", &kBooleanType, kNone, as_getter(controlLockLeftGetter), as_setter(controlLockLeftSetter), 0},
    {0, "LockTop", &kBooleanType, kNone, as_getter(controlLockTopGetter), as_setter(controlLockTopSetter), 0},
    {0, "LockRight", &kBooleanType, kNone, as_getter(controlLockRightGetter), as_setter(controlLockRightSetter), 0},
    {0, "LockBottom", &kBooleanType, kNone, as_getter(controlLockBottomGetter), as_setter(controlLockBottomSetter),
     0},
};
static_assert(sizeof kRectControlRows / sizeof kRectControlRows[0] == 11, "RectControl has 11 properties");

#undef FIELD

void construct(RuntimeObject* object, RuntimeClass*) {
    ControlObject* c = as_control(object);
    c->index = kNoIndex;
    c->visible = 1;
    c->enabled = 1;
    c->auto_deactivate = 1;
}

void destroy(RuntimeObject* object, RuntimeClass*) {
    ControlObject* c = as_control(object);
    RuntimeUnlockString(c->name);
    RuntimeUnlockString(c->balloon_help);
    RuntimeUnlockString(c->disabled_balloon_help);
    RuntimeUnlockObject(c->mouse_cursor);
}

}  // namespace

bool is_control(const RuntimeObject* object) { return object_isa(object, builtin_class(B::Control)); }
bool is_rect_control(const RuntimeObject* object) { return object_isa(object, builtin_class(B::RectControl)); }
bool is_canvas(const RuntimeObject* object) { return object_isa(object, builtin_class(B::Canvas)); }

void control_classes_describe() {
    RuntimeClass* control = builtin_class(B::Control);
    property_table_install(B::Control, kControlRows);
    property_table_install(B::RectControl, kRectControlRows);
    control->constructor = construct;
    control->destructor = destroy;
}
