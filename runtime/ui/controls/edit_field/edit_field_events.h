// The events of EditField and how its pane's reports become them.
#pragma once

#include "controls/edit_field/rich_edit_pane.h"

struct EditFieldObject;
struct EventDefinition;

struct EditFieldEvents {
    EventDefinition *key_down, *got_focus, *lost_focus, *selection_change, *text_change, *enable_menu_items;
};
extern EditFieldEvents g_edit_field_events;

void edit_field_events_describe();

// The pane's notifier: holds the field (no reference; the field owns it)
// and raises its events, each guarded where a handler could retrigger it.
struct EditFieldNotifier final : RichEditListener {
    explicit EditFieldNotifier(EditFieldObject* f) : field(f) {}
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    void text_changed() override;
    void selection_changed() override;
    void focus_gained() override;
    void focus_lost() override;
    bool character_typed(char character) override;
    void enable_menu_items() override;
    bool menu_command(MenuItemObject* item) override;

    EditFieldObject* field;
};
