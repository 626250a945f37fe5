// Changing the selection: the receivers hear "selectionChanging" first and
// "selectionChanged" last; Change runs in between, guarded so that a
// ListIndex assignment inside Change does not raise it again.
#pragma once

#include <cstdint>

struct ListboxObject;

// Selects exactly `row`; a row out of range leaves nothing selected. The
// steps run even when the selection stays as it was.
void list_select_only(ListboxObject* list, std::int32_t row, bool scroll_into_view);
// The user or the application changed the selection some other way.
void list_selection_changing(ListboxObject* list);
void list_selection_changed(ListboxObject* list);
// Selects or deselects one row more, redrawing it when that changed it.
void list_mark_row(ListboxObject* list, std::int32_t row, bool on);
// Deselects everything, redrawing the rows that lose the selection.
void list_clear_selection(ListboxObject* list);
