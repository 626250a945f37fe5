#include "controls/list_box/pane/list_cell_editor.h"
#include "controls/edit_field/edit_menu.h"
#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "panes/pane_focus.h"
#include "strings/runtime_string.h"

void ListCellEditor::focus_lost() { pane_->editor_lost_focus(); }

bool ListCellEditor::key_pressed(char, std::uint8_t key_code, std::int32_t) {
    if (key_code != VK_RETURN && key_code != VK_TAB && key_code != VK_ESCAPE) return false;
    pane_->finish_editing(true);
    return true;
}

void ListCellEditor::enable_menu_items() {
    edit_menu_enable_items(editor);
    pane_->enable_menu_items();
}

bool ListCellEditor::menu_command(MenuItemObject* item) { return edit_menu_perform(editor, item); }

void ListPane::begin_editing(std::int32_t row, std::int32_t column, int x, int y) {
    const ListRow* r = rows.at(row);
    const ListCell* cell = ListRows::find(r, column);
    int left = column_left(column);
    const int right = left + list->computed_widths[column];
    if (column == 0) left += column0_indent(r);
    const int top = row_top(row);
    const int clipped_right = right < client_.right - kListInset ? right : client_.right - kListInset;
    if (clipped_right <= left) return;
    const ShortRect at = {static_cast<std::int16_t>(rect.top + top), static_cast<std::int16_t>(rect.left + left),
                          static_cast<std::int16_t>(rect.top + top + row_height()),
                          static_cast<std::int16_t>(rect.left + clipped_right)};
    RichEditPane* editor = rich_edit_open_over(this, at, cell ? cell->text : nullptr, &cell_editor_);
    if (!editor) return;
    editor->set_font(list->text_style);
    cell_editor_.editor = editor;
    cell_editor_.row = row;
    cell_editor_.column = column;
    redraw_row(row);
    const LPARAM point = MAKELPARAM(x - left, y - top);
    SendMessageA(editor->native, WM_LBUTTONDOWN, MK_LBUTTON, point);
    if (cell_editor_.editor == editor) SendMessageA(editor->native, WM_LBUTTONUP, 0, point);
}

void ListPane::editor_lost_focus() {
    if (!focus_pane() || !native) return;
    finish_pending_ = true;
    PostMessageA(native, kFinishEditingMessage, 0, 0);
}

void ListPane::finish_editing(bool refocus) {
    finish_pending_ = false;
    RichEditPane* editor = cell_editor_.editor;
    if (!editor) return;
    const std::int32_t row = cell_editor_.row, column = cell_editor_.column;
    cell_editor_.editor = nullptr;
    cell_editor_.row = cell_editor_.column = -1;
    RuntimeString* text = editor->text();
    rich_edit_dismiss(editor);
    if (rows.in_range(row) && !list_bound(list)) {
        ListCell* cell = ListRows::find_or_add(rows.at(row), column);
        string_assign(&cell->text, text);
    }
    RuntimeUnlockString(text);
    redraw_row(row);
    if (refocus) focus_set(this);
    if (pane_of(list) == this) list_raise_cell_action(list, row, column);
}

void ListPane::drop_editing() {
    finish_pending_ = false;
    RichEditPane* editor = cell_editor_.editor;
    if (!editor) return;
    cell_editor_.editor = nullptr;
    cell_editor_.row = cell_editor_.column = -1;
    rich_edit_dismiss(editor);
}
