// What the entry points share: the list behind an object, and rows checked
// against the row count (a row out of range raises OutOfBoundsException).
#pragma once

#include <cstdint>

#include "controls/list_box/pane/list_pane.h"

struct RuntimeObject;

inline ListboxObject* list_of(RuntimeObject* object) { return object ? as_list(object) : nullptr; }
inline std::int32_t list_row_count(ListboxObject* list) {
    ListPane* pane = pane_of(list);
    return pane ? pane->rows.count() : 0;
}
[[noreturn]] void list_raise_out_of_bounds();
// The row, or the exception when it is out of range (a list without pane has no rows).
ListRow* list_row_or_raise(ListboxObject* list, std::int32_t row);
