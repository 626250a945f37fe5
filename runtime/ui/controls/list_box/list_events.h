// The events of Listbox and raising them. Handlers are compiled code and
// may do anything, closing the list's window included: callers look at
// the list again before going on.
#pragma once

#include <cstdint>

struct EventDefinition;
struct ListboxObject;
struct RuntimeObject;

struct ListboxEvents {
    EventDefinition *change, *double_click, *key_down, *enable_menu_items, *expand_row, *collapse_row, *drag_row,
        *sort_column, *cell_action, *got_focus, *lost_focus;
};
extern ListboxEvents g_listbox_events;

void list_events_describe();

void list_raise(ListboxObject* list, EventDefinition* event);
void list_raise_row(ListboxObject* list, EventDefinition* event, std::int32_t row);
void list_raise_cell_action(ListboxObject* list, std::int32_t row, std::int32_t column);
// True when a handler answered true.
bool list_raise_sort_column(ListboxObject* list, std::int32_t column);
bool list_raise_key_down(ListboxObject* list, char character);
bool list_raise_drag_row(ListboxObject* list, RuntimeObject* drag, std::int32_t row);
