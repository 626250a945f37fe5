// Finding menu items by name, index and shortcut.
#pragma once

#include <cstdint>

struct MenuItemObject;
struct RuntimeString;

// The first item, searching the menus in order, with that name (letter case
// ignored) and array index (kNotInArray: outside any array); borrowed.
MenuItemObject* menu_item_find(const RuntimeString* name, std::int32_t index);
// The first item whose shortcut text equals `key_text` (letter case
// ignored); with `enabled_only`, the first such item that is enabled and
// can be chosen. Separators have none.
MenuItemObject* menu_item_with_shortcut(const char* key_text, bool enabled_only);
