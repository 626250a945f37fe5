// MenuItem and QuitMenuItem as the rest of the runtime sees them: their
// events, constructor, destructor, property list and QuitMenuItem's two
// built-in handlers.
#pragma once

struct EventDefinition;

struct MenuItemEvents {
    EventDefinition *action, *enable_menu;
    EventDefinition* quit_action;  // QuitMenuItem's own Action
};
extern MenuItemEvents g_menu_item_events;

// Called at start-up before any item exists.
void menu_classes_describe();
