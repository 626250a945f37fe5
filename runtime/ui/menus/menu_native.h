// The native side of the menus, written from the item bytes: inserting,
// labelling and re-applying.
#pragma once

#include <windows.h>

struct Menu;
struct MenuItemObject;
struct RuntimeString;

// What the native item shows: the text, then a tab and the shortcut text
// when the item has a shortcut. A new reference.
RuntimeString* menu_item_label(const MenuItemObject* item);
// Puts the item into its menu's native popup at `position`, with its label,
// command id, submenu and state; marks it inserted.
void menu_item_insert_native(MenuItemObject* item, UINT position);
// The native string of an inserted item, after its text or shortcut changed.
void menu_item_relabel(MenuItemObject* item);
// Walks the items with a running native position: an invisible inserted
// item leaves, a visible one not inserted comes in; then only the items
// whose wanted bytes differ from the shown ones are greyed, enabled,
// checked or unchecked.
void menu_apply(Menu* menu);
void menus_apply_all();
