// The menu item object: what application code holds of one item of the
// menu bar. Its fields follow the object header; an application subclass
// adds its own after them.
#pragma once

#include <cstdint>

#include "objects/objects.h"

struct Menu;
struct RuntimeString;

// The array index of an item that is not in an array.
constexpr std::int32_t kNotInArray = INT32_MIN;

struct MenuItemObject {
    RuntimeObject header;
    RuntimeString* name;   // finds the item and matches menu handlers
    RuntimeString* text;   // shown; "-" is a separator
    RuntimeString* kept[2];
    std::int32_t index;    // in its item array, or kNotInArray
    std::uint8_t stream_flag, unused[3];
    Menu* menu;            // the menu holding it; null once closed
    std::int32_t position;  // 0-based place in the native menu while inserted
    RuntimeString* shortcut;  // the shortcut keys as written, e.g. "Shift-S"
    std::uint8_t enabled, shown_enabled, checked, shown_checked;
    std::uint8_t visible, inserted, unused_flags[2];
    std::int32_t command_id;  // 1000-2023, or 0: never chosen
};
static_assert(sizeof(MenuItemObject) == 72, "a MenuItem is 72 bytes");

inline MenuItemObject* as_menu_item(RuntimeObject* object) { return reinterpret_cast<MenuItemObject*>(object); }
inline RuntimeObject* as_object(MenuItemObject* item) { return reinterpret_cast<RuntimeObject*>(item); }

bool menu_item_is_separator(const MenuItemObject* item);
bool menu_item_in_array(const MenuItemObject* item);
// True for an object of MenuItem or a subclass.
bool is_menu_item(const RuntimeObject* object);
