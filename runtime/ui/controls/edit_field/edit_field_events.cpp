#include "controls/edit_field/edit_field_events.h"

#include "controls/builtin_control.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/edit_field_binding.h"
#include "controls/edit_field/edit_menu.h"
#include "objects/code_lookup.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"
#include "windows/window_events.h"

EditFieldEvents g_edit_field_events;

namespace {

const EventTableRow kEditFieldRows[] = {
    {0, "KeyDown", "Key As String", "Boolean", 401, &g_edit_field_events.key_down},
    {0, "GotFocus", "", "", 1004, &g_edit_field_events.got_focus},
    {0, "LostFocus", "", "", 1005, &g_edit_field_events.lost_focus},
    {0, "SelChange", "", "", 0, &g_edit_field_events.selection_change},
    {0, "TextChange", "", "", 0, &g_edit_field_events.text_change},
    {0, "EnableMenuItems", "", "", 0, &g_edit_field_events.enable_menu_items},
};

// The field stays alive through its handlers even when one closes the
// window (explicit locks: nothing may be left to destructors across
// application code); after the unlock neither the field nor its notifier
// may be touched.
RuntimeObject* hold(EditFieldObject* f) { return RuntimeLockObject(&f->control.header); }

}  // namespace

void edit_field_events_describe() { control_class_events(BuiltinClass::EditField, kEditFieldRows); }

void* EditFieldNotifier::operator new(std::size_t size) { return runtime_alloc(size); }
void EditFieldNotifier::operator delete(void* block, std::size_t size) { runtime_free(block, size); }

void EditFieldNotifier::text_changed() {
    EditFieldObject* f = field;
    if (f->text_change_guard) return;
    RuntimeObject* held = hold(f);
    f->text_change_guard = 1;
    fire_event(held, g_edit_field_events.text_change);
    edit_field_notify_data(f);
    f->text_change_guard = 0;
    RuntimeUnlockObject(held);
}

void EditFieldNotifier::selection_changed() {
    EditFieldObject* f = field;
    if (f->selection_change_guard) return;
    RuntimeObject* held = hold(f);
    f->selection_change_guard = 1;
    fire_event(held, g_edit_field_events.selection_change);
    if (edit_field_pane(f)) edit_menu_enable(f);
    f->selection_change_guard = 0;
    RuntimeUnlockObject(held);
}

void EditFieldNotifier::focus_gained() {
    RuntimeObject* held = hold(field);
    fire_event(held, g_edit_field_events.got_focus);
    RuntimeUnlockObject(held);
}

void EditFieldNotifier::focus_lost() {
    RuntimeObject* held = hold(field);
    fire_event(held, g_edit_field_events.lost_focus);
    RuntimeUnlockObject(held);
}

bool EditFieldNotifier::character_typed(char character) {
    RuntimeObject* object = &field->control.header;
    if (!event_lookup(object, g_edit_field_events.key_down)) return false;
    RuntimeObject* held = hold(field);
    RuntimeString* key = string_from_bytes(&character, 1);
    const bool taken = fire_boolean_text_event(held, g_edit_field_events.key_down, key);
    RuntimeUnlockString(key);
    RuntimeUnlockObject(held);
    return taken;
}

void EditFieldNotifier::enable_menu_items() {
    RuntimeObject* held = hold(field);
    edit_menu_enable(field);
    RuntimeUnlockObject(held);
}

bool EditFieldNotifier::menu_command(MenuItemObject* item) {
    RuntimeObject* held = hold(field);
    const bool done = edit_menu_command(field, item);
    RuntimeUnlockObject(held);
    return done;
}
