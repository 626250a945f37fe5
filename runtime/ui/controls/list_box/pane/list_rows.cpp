#include "controls/list_box/pane/list_rows.h"

#include <cstring>

#include "objects/memory.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

ListCell* new_cell(std::int32_t column) {
    auto* cell = static_cast<ListCell*>(runtime_alloc(sizeof(ListCell)));
    cell->column = static_cast<std::uint8_t>(column);
    return cell;
}

void free_cells(ListRow* row) {
    while (ListCell* cell = row->cells) {
        row->cells = cell->next;
        RuntimeString* text = cell->text;
        RuntimeObject* picture = cell->picture;
        runtime_free(cell, sizeof *cell);
        RuntimeUnlockString(text);
        RuntimeUnlockObject(picture);
    }
}

}  // namespace

ListRows::~ListRows() {
    clear();
    runtime_free(rows_, static_cast<std::size_t>(capacity_) * sizeof(ListRow*));
}

void ListRows::grow() {
    const std::int32_t capacity = capacity_ ? capacity_ * 2 : 16;
    auto** rows = static_cast<ListRow**>(runtime_alloc(static_cast<std::size_t>(capacity) * sizeof(ListRow*)));
    if (count_) std::memcpy(rows, rows_, static_cast<std::size_t>(count_) * sizeof(ListRow*));
    runtime_free(rows_, static_cast<std::size_t>(capacity_) * sizeof(ListRow*));
    rows_ = rows;
    capacity_ = capacity;
}

ListRow* ListRows::insert(std::int32_t index, RuntimeString* text, std::int16_t folder, std::int16_t depth) {
    if (count_ == capacity_) grow();
    auto* row = static_cast<ListRow*>(runtime_alloc(sizeof(ListRow)));
    row->folder = folder;
    row->depth = depth;
    row->cells = new_cell(0);
    string_assign(&row->cells->text, text);
    std::memmove(rows_ + index + 1, rows_ + index, static_cast<std::size_t>(count_ - index) * sizeof(ListRow*));
    rows_[index] = row;
    ++count_;
    return row;
}

void ListRows::remove(std::int32_t index) {
    ListRow* row = rows_[index];
    std::memmove(rows_ + index, rows_ + index + 1, static_cast<std::size_t>(count_ - index - 1) * sizeof(ListRow*));
    --count_;
    free_cells(row);
    runtime_free(row, sizeof *row);
}

void ListRows::clear() {
    for (std::int32_t i = 0; i < count_; ++i) {
        free_cells(rows_[i]);
        runtime_free(rows_[i], sizeof(ListRow));
    }
    count_ = 0;
}

void ListRows::reorder(const std::int32_t* order) {
    const std::size_t bytes = static_cast<std::size_t>(count_) * sizeof(ListRow*);
    auto** sorted = static_cast<ListRow**>(runtime_alloc(bytes));
    for (std::int32_t i = 0; i < count_; ++i) sorted[i] = rows_[order[i]];
    std::memcpy(rows_, sorted, bytes);
    runtime_free(sorted, bytes);
}

ListCell* ListRows::find(const ListRow* row, std::int32_t column) {
    for (ListCell* cell = row->cells; cell; cell = cell->next)
        if (cell->column == column) return cell;
    return nullptr;
}

ListCell* ListRows::find_or_add(ListRow* row, std::int32_t column) {
    ListCell** at = &row->cells;
    for (; *at; at = &(*at)->next)
        if ((*at)->column == column) return *at;
    *at = new_cell(column);
    return *at;
}
