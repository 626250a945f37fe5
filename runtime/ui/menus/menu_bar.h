// The application's menu bar: one native menu bar and the list of its
// menus, each a native popup with the ordered array of its item objects.
// Submenus are menus of the list too, hanging from an item.
#pragma once

#include <windows.h>

#include <cstdint>

struct MenuItemObject;
struct NativeView;

struct Menu {
    HMENU handle;             // the native popup
    MenuItemObject** items;   // in order; one reference each
    std::uint32_t count;
    MenuItemObject* parent;   // the item a submenu hangs from, else null
    Menu* next;               // every menu, in the order they were built
};

// Null until the menu bar is built.
HMENU menu_bar_handle();
Menu* menus_first();

// The native menu bar, given to the window that will own it.
void menu_bar_set_handle(HMENU bar);
// A new, empty menu at the end of the list.
Menu* menu_add(HMENU handle, MenuItemObject* parent);
// The submenu hanging from `item`, or null.
Menu* submenu_of(const MenuItemObject* item);

// Puts `item` into the array at `at` (taking a reference) and removes it
// again (dropping that reference, which may destroy it).
void menu_insert_item(Menu* menu, std::uint32_t at, MenuItemObject* item);
void menu_remove_item(Menu* menu, std::uint32_t at);
// The place of `item` in its menu's array, or the count when it is not there.
std::uint32_t menu_index_of(const Menu* menu, const MenuItemObject* item);

// Shows or hides the menu bar on its owner's native window.
void menu_bar_show(NativeView* view, bool visible);
