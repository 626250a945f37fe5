#include "controls/list_box/list_hierarchy.h"

#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "controls/list_box/list_row_changes.h"

void list_expand(ListboxObject* list, std::int32_t row) {
    ListPane* pane = pane_of(list);
    if (!pane || !pane->rows.in_range(row) || pane->rows.at(row)->folder != kCollapsedFolder) return;
    pane->rows.at(row)->folder = kExpandedFolder;
    pane->redraw_row(row);
    const std::int32_t outer = list->adding_children_of;
    list->adding_children_of = row;
    list_raise_row(list, g_listbox_events.expand_row, row);
    list->adding_children_of = outer;
}

void list_collapse(ListboxObject* list, std::int32_t row) {
    ListPane* pane = pane_of(list);
    if (!pane || !pane->rows.in_range(row) || pane->rows.at(row)->folder != kExpandedFolder) return;
    list_raise_row(list, g_listbox_events.collapse_row, row);
    pane = pane_of(list);
    if (!pane || !pane->rows.in_range(row)) return;
    ListRow* folder = pane->rows.at(row);
    folder->folder = kCollapsedFolder;
    pane->redraw_row(row);
    const std::int16_t depth = folder->depth;
    while (pane->rows.in_range(row + 1) && pane->rows.at(row + 1)->depth > depth) list_delete_row(list, row + 1);
}

std::int32_t list_add_position(ListboxObject* list, std::int16_t& depth) {
    ListPane* pane = pane_of(list);
    const std::int32_t parent = list->adding_children_of;
    depth = 0;
    if (!pane->rows.in_range(parent)) return pane->rows.count();
    const std::int16_t parent_depth = pane->rows.at(parent)->depth;
    depth = static_cast<std::int16_t>(parent_depth + 1);
    std::int32_t at = parent + 1;
    while (pane->rows.in_range(at) && pane->rows.at(at)->depth > parent_depth) ++at;
    return at;
}
