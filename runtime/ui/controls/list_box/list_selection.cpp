#include "controls/list_box/list_selection.h"

#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "panes/receivers.h"

namespace {

constexpr char kSelectionReceiver[] = "listSelectionNotificationReceiver";

}  // namespace

void list_selection_changing(ListboxObject* list) {
    receivers_notify(list->selection_receivers, kSelectionReceiver, "selectionChanging");
}

void list_selection_changed(ListboxObject* list) {
    if (!list->change_guard) {
        list->change_guard = 1;
        list_raise(list, g_listbox_events.change);
        list->change_guard = 0;
    }
    receivers_notify(list->selection_receivers, kSelectionReceiver, "selectionChanged");
}

void list_clear_selection(ListboxObject* list) {
    ListPane* pane = pane_of(list);
    if (!pane) return;
    SelectionRanges& s = pane->selection;
    for (std::int32_t i = 0; i < s.ranges(); ++i) {
        const SelectedRange& r = s.range(i);
        for (std::int32_t row = r.start; row < r.start + r.count; ++row) pane->redraw_row(row);
    }
    s.clear();
}

void list_mark_row(ListboxObject* list, std::int32_t row, bool on) {
    ListPane* pane = pane_of(list);
    if (!pane || !pane->rows.in_range(row) || pane->selection.contains(row) == on) return;
    if (on) pane->selection.add(row);
    else pane->selection.remove(row);
    pane->redraw_row(row);
}

void list_select_only(ListboxObject* list, std::int32_t row, bool scroll_into_view) {
    list_selection_changing(list);
    ListPane* pane = pane_of(list);
    if (!pane) return;
    const bool was_selected = pane->rows.in_range(row) && pane->selection.contains(row);
    list_clear_selection(list);
    if (pane->rows.in_range(row)) {
        pane->selection.add(row);
        if (!was_selected) pane->redraw_row(row);
        if (scroll_into_view) pane->scroll_into_view(row);
    }
    list_selection_changed(list);
}
