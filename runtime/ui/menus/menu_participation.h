// How a control takes part in the menu passes while its pane has the focus:
// the pane's enable_menu_items() and menu_command() (panes/pane.h) call
// these to serve the items they know by name.
#pragma once

struct MenuItemObject;
struct RuntimeObject;

// The item's name equals `name`, letter case ignored.
bool menu_item_named(const MenuItemObject* item, const char* name);
// Sets the enabled byte of every item with that name (array members too);
// nothing without a menu bar.
void menu_items_enable_named(const char* name);
// Runs the menu handlers of `target`'s own class named like the item, with
// the item's index for array members; true when one returned true.
bool menu_handlers_offer(RuntimeObject* target, MenuItemObject* item);
