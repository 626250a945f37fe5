#include "controls/list_box/list_access.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/list_selection.h"
#include "strings/runtime_string.h"

extern "C" {

std::int32_t listSelectionGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    return pane ? pane->selection.first() : -1;
}

void listSelectionSetter(RuntimeObject* object, std::uint32_t, std::int32_t row) {
    ListboxObject* list = list_of(object);
    if (list && pane_of(list)) list_select_only(list, row, true);
}

RuntimeString* listTextGetter(RuntimeObject* object) {
    const std::int32_t row = listSelectionGetter(object, 0);
    return row < 0 ? nullptr : RuntimeGetRow(object, row);
}

void listTextSetter(RuntimeObject* object, std::uint32_t, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    const std::int32_t row = listSelectionGetter(object, 0);
    if (!list || list_bound(list) || row < 0) return;
    RuntimeSetRow(object, row, text);
}

std::int32_t listSelCountGetter(RuntimeObject* object) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    return pane ? pane->selection.selected_count() : 0;
}

bool listGetSelected(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    return pane && pane->selection.contains(row);
}

// A single-selection list keeps one row selected: selecting another moves the selection there.
void listSetSelected(RuntimeObject* object, std::int32_t row, bool on) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    if (!pane || !pane->rows.in_range(row)) return;
    if (on && list->selection_type != 1) {
        list_select_only(list, row, false);
        return;
    }
    list_selection_changing(list);
    if (!pane_of(list)) return;
    list_mark_row(list, row, on);
    list_selection_changed(list);
}

}  // extern "C"
