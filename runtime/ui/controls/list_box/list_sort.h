// Sorting by a heading: SortColumn may take it over; otherwise the
// top-level rows are ordered by the text of the column, each with the rows
// below it that are deeper. The order ignores letter case, is ascending
// and keeps rows of equal text in the order they had.
#pragma once

#include <cstdint>

struct ListboxObject;

void list_sort_by_heading(ListboxObject* list, std::int32_t column);
void list_sort_rows(ListboxObject* list, std::int32_t column);
