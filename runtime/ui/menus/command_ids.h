// Command ids of the menu items: 1000 to 2023, one slot each in a table of
// 1,024, so that a WM_COMMAND names its item.
#pragma once

#include <cstdint>

struct MenuItemObject;

constexpr std::int32_t kFirstCommandId = 1000;
constexpr std::int32_t kCommandIdCount = 1024;

// The first free id for `item`, or 0 when all are taken (such an item can
// never be chosen).
std::int32_t command_id_take(MenuItemObject* item);
// Frees the id (0 is ignored).
void command_id_free(std::int32_t id);
// The item an id names, or null.
MenuItemObject* command_id_item(std::int32_t id);
