#include "controls/list_box/list_access.h"
#include "controls/list_box/list_binding.h"
#include "controls/list_box/list_cells.h"
#include "controls/list_box/list_entry_points.h"
#include "strings/runtime_string.h"

namespace {

// The cell a setter changes: made when missing; null (nothing to do) for a
// bound list or a column outside 0-63. Raises for a row out of range.
ListCell* cell_to_set(ListboxObject* list, std::int32_t row, std::int32_t column) {
    ListRow* r = list_row_or_raise(list, row);
    if (list_bound(list) || !list_column_valid(column)) return nullptr;
    return ListRows::find_or_add(r, column);
}

// The cell a getter reads; null when it does not exist. Raises for a row out of range.
ListCell* cell_to_get(ListboxObject* list, std::int32_t row, std::int32_t column) {
    ListRow* r = list_row_or_raise(list, row);
    if (list_bound(list) || !list_column_valid(column)) return nullptr;
    return ListRows::find(r, column);
}

bool style_bit(RuntimeObject* object, std::int32_t row, std::int32_t column, std::uint8_t bit) {
    ListboxObject* list = list_of(object);
    if (!list) return false;
    const ListCell* cell = cell_to_get(list, row, column);
    return cell && (cell->style & bit);
}

void set_style_bit(RuntimeObject* object, std::int32_t row, std::int32_t column, std::uint8_t bit, bool on) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    ListCell* cell = cell_to_set(list, row, column);
    if (!cell) return;
    const std::uint8_t style = on ? cell->style | bit : cell->style & ~bit;
    if (style == cell->style) return;
    cell->style = style;
    pane_of(list)->redraw_row(row);
}

}  // namespace

extern "C" {

RuntimeString* listGetCell(RuntimeObject* object, std::int32_t row, std::int32_t column) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list)) return nullptr;
    ListRow* r = list_row_or_raise(list, row);
    if (!list_column_valid(column)) return nullptr;
    if (list_bound(list)) return list_provider_text(list, row, column);
    const ListCell* cell = ListRows::find(r, column);
    if (!cell) return nullptr;
    RuntimeLockString(cell->text);
    return cell->text;
}

void listSetCell(RuntimeObject* object, std::int32_t row, std::int32_t column, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list)) return;
    ListCell* cell = cell_to_set(list, row, column);
    if (!cell) return;
    string_assign(&cell->text, text);
    pane_of(list)->redraw_row(row);
    list_tell_reload(list);
}

bool listCellCheckGetter(RuntimeObject* object, std::int32_t row, std::int32_t column) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list)) return false;
    const ListCell* cell = ListRows::find(list_row_or_raise(list, row), column);
    return list_column_valid(column) && cell && cell->check;
}

void listCellCheckSetter(RuntimeObject* object, std::int32_t row, std::int32_t column, bool on) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list) || list_bound(list)) return;
    ListCell* cell = cell_to_set(list, row, column);
    if (!cell) return;
    cell->check = on ? 1 : 0;
    pane_of(list)->redraw_row(row);
}

std::int32_t listCellTypeGetter(RuntimeObject* object, std::int32_t row, std::int32_t column) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list)) return 0;
    const ListCell* cell = ListRows::find(list_row_or_raise(list, row), column);
    return list_column_valid(column) && cell ? cell->type : 0;
}

void listCellTypeSetter(RuntimeObject* object, std::int32_t row, std::int32_t column, std::int32_t type) {
    ListboxObject* list = list_of(object);
    if (!list || !pane_of(list) || list_bound(list)) return;
    ListCell* cell = cell_to_set(list, row, column);
    if (!cell) return;
    cell->type = static_cast<std::uint8_t>(type);
    pane_of(list)->redraw_row(row);
}

bool listGetCellBold(RuntimeObject* list, std::int32_t row, std::int32_t column) {
    return style_bit(list, row, column, kCellBold);
}
void listSetCellBold(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on) {
    set_style_bit(list, row, column, kCellBold, on);
}
bool listGetCellItalic(RuntimeObject* list, std::int32_t row, std::int32_t column) {
    return style_bit(list, row, column, kCellItalic);
}
void listSetCellItalic(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on) {
    set_style_bit(list, row, column, kCellItalic, on);
}
bool listGetCellUnderline(RuntimeObject* list, std::int32_t row, std::int32_t column) {
    return style_bit(list, row, column, kCellUnderline);
}
void listSetCellUnderline(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on) {
    set_style_bit(list, row, column, kCellUnderline, on);
}

std::int32_t listCellAlignmentGetter(RuntimeObject* object, std::int32_t row, std::int32_t column) {
    ListboxObject* list = list_of(object);
    const ListCell* cell = list ? cell_to_get(list, row, column) : nullptr;
    return cell ? cell->alignment : 0;
}

void listCellAlignmentSetter(RuntimeObject* object, std::int32_t row, std::int32_t column, std::int32_t alignment) {
    ListboxObject* list = list_of(object);
    ListCell* cell = list ? cell_to_set(list, row, column) : nullptr;
    if (!cell || alignment < 0 || alignment > 3 || cell->alignment == alignment) return;
    cell->alignment = static_cast<std::uint8_t>(alignment);
    pane_of(list)->redraw_row(row);
}

std::int32_t listCellAlignmentOffsetGetter(RuntimeObject* object, std::int32_t row, std::int32_t column) {
    ListboxObject* list = list_of(object);
    const ListCell* cell = list ? cell_to_get(list, row, column) : nullptr;
    return cell ? cell->alignment_offset : 0;
}

void listCellAlignmentOffsetSetter(RuntimeObject* object, std::int32_t row, std::int32_t column, std::int32_t offset) {
    ListboxObject* list = list_of(object);
    ListCell* cell = list ? cell_to_set(list, row, column) : nullptr;
    if (!cell || cell->alignment_offset == static_cast<std::int16_t>(offset)) return;
    cell->alignment_offset = static_cast<std::int16_t>(offset);
    pane_of(list)->redraw_row(row);
}

}  // extern "C"
