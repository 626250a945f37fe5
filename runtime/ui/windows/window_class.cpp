#include "windows/window_class.h"

#include <cstddef>

#include "descriptions/control_dictionary.h"
#include "descriptions/control_templates.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"
#include "windows/window_accessors.h"
#include "windows/window_object.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kNone = B::Count;
constexpr std::uint32_t kDesign = 0x08, kRunTime = 0x01;

#define FIELD(member) static_cast<std::uint32_t>(offsetof(WindowObject, member))

const PropertyRow kWindowRows[] = {
    {0, "Visible", &kBooleanType, kNone, as_getter(WindowVisibleGetter), as_setter(WindowVisibleSetter), 0},
    {0, "Left", &kIntegerType, kNone, as_getter(windowPosGetter), as_setter(windowPosSetter), 0},
    {0, "Top", &kIntegerType, kNone, as_getter(windowPosGetter), as_setter(windowPosSetter), 1},
    {0, "Width", &kIntegerType, kNone, as_getter(windowPosGetter), as_setter(windowPosSetter), 2},
    {0, "Height", &kIntegerType, kNone, as_getter(windowPosGetter), as_setter(windowPosSetter), 3},
    {0, "Placement", &kIntegerType, kNone, as_getter(windowPlacementGetter), as_setter(windowPlacementSetter), 0},
    {0, "Title", &kStringType, kNone, as_getter(windowTitleGetter), as_setter(windowTitleSetter), 0},
    {kDesign, "FullScreen", &kBooleanType, kNone, as_getter(windowFullScreenGetter), as_setter(windowFullScreenSetter), 0},
    {kDesign, "MenuBarVisible", &kBooleanType, kNone, as_getter(windowMenusVisibleGetter),
     as_setter(windowMenusVisibleSetter), 0},
    {kDesign, "CloseBox", &kBooleanType, kNone, as_getter(windowCloseBoxGetter), as_setter(windowCloseBoxSetter), 0},
    {kDesign, "GrowIcon", &kBooleanType, kNone, as_getter(windowGrowIconGetter), as_setter(windowGrowIconSetter), 0},
    {kDesign, "ZoomIcon", &kBooleanType, kNone, as_getter(windowZoomIconGetter), as_setter(windowZoomIconSetter), 0},
    {kDesign, "Frame", &kIntegerType, kNone, as_getter(windowFrameGetter), as_setter(windowFrameSetter), 0},
    {kDesign, "Backdrop", nullptr, B::Picture, as_getter(windowBackdropGetter), as_setter(windowBackdropSetter), 0},
    {kDesign, "HasBackColor", &kBooleanType, kNone, as_getter(windowHasBackColorGetter),
     as_setter(windowHasBackColorSetter), 0},
    {kDesign, "BackColor", &kColorType, kNone, as_getter(windowBackColorGetter), as_setter(windowBackColorSetter), 0},
    {kDesign, "BalloonHelp", &kStringType, kNone, as_getter(stringGetter), as_setter(windowBalloonHelpSetter),
     FIELD(balloon_help)},
    {kDesign, "MinWidth", &kIntegerType, kNone, field16_getter, field16_setter, FIELD(min_width)},
    {kDesign, "MinHeight", &kIntegerType, kNone, field16_getter, field16_setter, FIELD(min_height)},
    {kDesign, "MaxWidth", &kIntegerType, kNone, field16_getter, field16_setter, FIELD(max_width)},
    {kDesign, "MaxHeight", &kIntegerType, kNone, field16_getter, field16_setter, FIELD(max_height)},
    {kDesign, "MacProcId", &kIntegerType, kNone, field32_getter, field32_setter, FIELD(proc_id)},
    {kDesign, "MouseCursor", nullptr, B::MouseCursor, as_getter(objGetter), as_setter(formMouseCursorSetter),
     FIELD(mouse_cursor)},
    {kDesign, "ControlCount", &kIntegerType, kNone, as_getter(windowControlCountGetter), nullptr, 0},
    {kDesign, "FloaterProcess", &kStringType, kNone, as_getter(stringGetter), as_setter(stringSetter),
     FIELD(floater_process)},
    {0, "MouseX", &kIntegerType, kNone, as_getter(windowMouseXGetter), nullptr, 0},
    {0, "MouseY", &kIntegerType, kNone, as_getter(windowMouseYGetter), nullptr, 0},
    {kDesign, "MacWindowPtr", &kIntegerType, kNone, as_getter(windowWindowPtrGetter), nullptr, 0},
    {kDesign, "WinHWND", &kIntegerType, kNone, as_getter(windowHWNDGetter), nullptr, 0},
};
static_assert(sizeof kWindowRows / sizeof kWindowRows[0] == 29, "Window has 29 properties");

#undef FIELD

void construct(RuntimeObject* object, RuntimeClass*) {
    WindowObject* w = as_window(object);
    w->visible = 1;
    w->close_box = 1;
    w->menu_bar_visible = 1;
    w->back_colour = 0xFFFFFF;
}

void destroy(RuntimeObject* object, RuntimeClass*) {
    WindowObject* w = as_window(object);
    RuntimeUnlockString(w->title);
    RuntimeUnlockObject(w->backdrop);
    RuntimeUnlockObject(w->mouse_cursor);
    RuntimeUnlockString(w->balloon_help);
    RuntimeUnlockString(w->floater_process);
    // Controls of a window that never closed still belong to it.
    if (ControlDictionary* controls = w->controls) {
        w->controls = nullptr;
        for (DictionaryEntry* e = controls->first; e; e = e->order_next) RuntimeUnlockObject(e->control);
        control_dictionary_free(controls);
    }
    control_templates_free(w->templates);
    w->templates = nullptr;
}

}  // namespace

void window_class_describe() {
    RuntimeClass* cls = builtin_class(B::Window);
    property_table_install(B::Window, kWindowRows);
    cls->constructor = construct;
    cls->destructor = destroy;
}
