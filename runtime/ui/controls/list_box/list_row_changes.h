// Adding and removing rows in the pane with everything that follows them:
// the selection keeps its rows, the scroll range and the drawing follow.
// Removing rows first ends an edit in progress (storing it, raising
// CellAction), so the removals look at the list again afterwards.
#pragma once

#include <cstdint>

struct ListboxObject;
struct RuntimeString;

// The pane exists; `index` is 0..count. Returns the new row's index (also the last index).
std::int32_t list_insert_row(ListboxObject* list, std::int32_t index, RuntimeString* text, std::int16_t folder,
                             std::int16_t depth);
void list_delete_row(ListboxObject* list, std::int32_t index);
void list_delete_all_rows(ListboxObject* list);
