// Clicks in the list: headings sort, editable cells open the editor, check
// boxes flip, triangles open and close folders, rows are selected (and
// dragged, when the list allows it). Handlers raised on the way may close
// the window: every step looks at the pane again before going on.
#include "controls/list_box/list_cells.h"
#include "controls/list_box/pane/list_drag.h"
#include "controls/list_box/list_events.h"
#include "controls/list_box/list_hierarchy.h"
#include "controls/list_box/pane/list_pane.h"
#include "controls/list_box/list_selection.h"
#include "controls/list_box/list_sort.h"
#include "panes/pane_focus.h"
#include "panes/receivers.h"

namespace {

constexpr std::int32_t kCommandModifier = kModifierControl;

bool alive(ListboxObject* list, const ListPane* pane) { return pane_of(list) == pane; }

}  // namespace

bool ListPane::mouse_down(int window_x, int window_y, std::int32_t modifiers) {
    const int x = window_x - rect.left, y = window_y - rect.top;
    ListboxObject* l = list;
    drag_from_ = -1;
    RuntimeObject* held = RuntimeLockObject(list_object(l));
    finish_editing();
    if (alive(l, this)) focus_set(this);
    if (alive(l, this)) {
        if (list->has_heading && y >= kListInset && y < rows_top()) {
            finish_editing();
            if (alive(l, this)) heading_click(x);
        } else {
            const std::int32_t row = row_at(y);
            if (row >= 0) row_click(row, x, y, modifiers);
            else finish_editing();
        }
    }
    const bool taken = alive(l, this);
    RuntimeUnlockObject(held);
    return taken;
}

void ListPane::mouse_drag(int, int window_y) {
    // Dragging over the rows extends the selection of a multiple-selection list.
    if (drag_from_ < 0 || list->selection_type != 1) return;
    std::int32_t row = row_at(window_y - rect.top);
    if (row < 0) return;
    list_selection_changing(list);
    if (!alive(list, this)) return;
    list_clear_selection(list);
    const std::int32_t low = row < drag_from_ ? row : drag_from_, high = row < drag_from_ ? drag_from_ : row;
    for (std::int32_t r = low; r <= high; ++r) list_mark_row(list, r, true);
    scroll_into_view(row);
    list_selection_changed(list);
}

bool ListPane::heading_click(int x) {
    int left = 0;
    const std::int32_t column = column_at(x, left);
    if (column < 0) return false;
    list->heading_index = column;
    redraw_all();
    list_sort_by_heading(list, column);
    return true;
}

void ListPane::row_click(std::int32_t row, int x, int y, std::int32_t modifiers) {
    ListboxObject* l = list;
    finish_editing();
    if (!alive(l, this) || !rows.in_range(row)) return;
    drag_from_ = -1;
    int left = 0;
    const std::int32_t column = column_at(x, left);
    ListRow* r = rows.at(row);
    if (column >= 0) {
        ListCell* cell = ListRows::find(r, column);
        const std::uint8_t type = list_effective_type(list, cell, column);
        if (type == kCellEditable) {
            if (!selection.empty()) {
                list_selection_changing(list);
                if (!alive(l, this)) return;
                list_clear_selection(list);
                list_selection_changed(list);
                if (!alive(l, this) || !rows.in_range(row)) return;
            }
            begin_editing(row, column, x, y);
            return;
        }
        const int box = left + check_box_indent(r, column);
        if (type == kCellCheckBox && x >= box && x < box + kListCheckBoxWidth) {
            cell = ListRows::find_or_add(r, column);
            cell->check = cell->check ? 0 : 1;
            redraw_row(row);
            UpdateWindow(native);
            list_raise_cell_action(list, row, column);
            return;
        }
    }
    if (list->hierarchical && r->folder != kPlainRow) {
        const int box_left = content_left() + r->depth * kListDepthIndent + 4;
        const int box_top = row_top(row) + (row_height() - kListTriangleBox) / 2;
        if (x >= box_left && x < box_left + kListTriangleBox && y >= box_top && y < box_top + kListTriangleBox) {
            if (r->folder == kCollapsedFolder) list_expand(list, row);
            else list_collapse(list, row);
            return;
        }
    }
    const bool double_click = is_double_click(row, x, y);
    if (list->enable_drag && !(modifiers & (kModifierShift | kCommandModifier)) && !double_click) {
        if (!selection.contains(row)) {
            list_clear_selection(list);
            list_mark_row(list, row, true);
            anchor_ = row;
        }
        if (list_offer_drag(list, row)) return;
        if (!alive(l, this) || !rows.in_range(row)) return;
    }
    select_by_click(row, modifiers);
    if (!alive(l, this)) return;
    drag_from_ = row;
    if (double_click) {
        list_raise(list, g_listbox_events.double_click);
        if (alive(l, this)) receivers_notify_action(list->action_receivers);
    }
}

void ListPane::select_by_click(std::int32_t row, std::int32_t modifiers) {
    if (list->selection_type != 1 || !(modifiers & (kModifierShift | kCommandModifier))) {
        anchor_ = row;
        list_select_only(list, row, true);
        return;
    }
    ListboxObject* l = list;
    list_selection_changing(list);
    if (!alive(l, this) || !rows.in_range(row)) return;
    if (modifiers & kModifierShift) {
        // From the anchor to this row, in place of what was selected.
        const std::int32_t from = rows.in_range(anchor_) ? anchor_ : row;
        list_clear_selection(list);
        const std::int32_t low = from < row ? from : row, high = from < row ? row : from;
        for (std::int32_t r = low; r <= high; ++r) list_mark_row(list, r, true);
    } else {
        list_mark_row(list, row, !selection.contains(row));
        anchor_ = row;
    }
    scroll_into_view(row);
    list_selection_changed(list);
}

bool ListPane::is_double_click(std::int32_t row, int x, int y) {
    const DWORD now = GetTickCount();
    const bool twice = row == last_click_row_ && now - last_click_tick_ <= GetDoubleClickTime() &&
                       abs(x - last_click_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       abs(y - last_click_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    // A third click starts over.
    last_click_row_ = twice ? -1 : row;
    last_click_tick_ = now;
    last_click_ = {x, y};
    return twice;
}
