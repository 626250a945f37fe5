// Folders of a hierarchical list. Expanding raises ExpandRow with the list
// in adding-children mode: rows added meanwhile become children of the
// expanding row. Collapsing removes the rows below it that are deeper.
#pragma once

#include <cstdint>

struct ListboxObject;

// Both do nothing when the row already is in the state asked for, or is no folder.
void list_expand(ListboxObject* list, std::int32_t row);
void list_collapse(ListboxObject* list, std::int32_t row);

// Where RuntimeListAddRow puts its row, and at what depth.
std::int32_t list_add_position(ListboxObject* list, std::int16_t& depth);
