#include "controls/list_box/list_row_changes.h"

#include "controls/list_box/list_binding.h"
#include "controls/list_box/pane/list_pane.h"

std::int32_t list_insert_row(ListboxObject* list, std::int32_t index, RuntimeString* text, std::int16_t folder,
                             std::int16_t depth) {
    ListPane* pane = pane_of(list);
    pane->rows.insert(index, text, folder, depth);
    pane->selection.row_inserted(index);
    pane->row_inserted(index);
    if (list->adding_children_of >= index) ++list->adding_children_of;
    pane->rows_changed();
    pane->redraw_rows_from(index);
    list->last_index = index;
    list_tell_row_inserted(list, index);
    return index;
}

void list_delete_row(ListboxObject* list, std::int32_t index) {
    // An edit in progress ends first, as it would on a click; its CellAction may change the rows.
    if (pane_of(list)) pane_of(list)->finish_editing();
    ListPane* pane = pane_of(list);
    if (!pane || !pane->rows.in_range(index)) return;
    pane->rows.remove(index);
    pane->selection.row_removed(index);
    pane->rows_changed();
    pane->redraw_rows_from(index);
    list_tell_row_removed(list, index);
}

void list_delete_all_rows(ListboxObject* list) {
    if (pane_of(list)) pane_of(list)->finish_editing();
    ListPane* pane = pane_of(list);
    if (!pane) return;
    pane->rows.clear();
    pane->selection.clear();
    list->scroll_position = 0;
    pane->rows_changed();
    pane->redraw_all();
    list_tell_reload(list);
}
