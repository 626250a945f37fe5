// The rows of a list: display order, each with its folder state, depth and
// cells. A row's cells form a list in the order they were first set; the
// column-0 cell is made with the row and holds the row's text.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

enum ListFolderState : std::int16_t { kPlainRow = 0, kExpandedFolder = 1, kCollapsedFolder = 2 };
enum ListCellType : std::uint8_t { kCellDefault = 0, kCellNormal = 1, kCellCheckBox = 2, kCellEditable = 3 };
enum ListCellStyle : std::uint8_t { kCellBold = 1, kCellItalic = 2, kCellUnderline = 4 };

struct ListCell {
    ListCell* next;
    std::uint8_t style;
    RuntimeString* text;     // one reference
    RuntimeObject* picture;  // one reference; drawn before the text of column 0
    std::uint8_t column;
    std::uint8_t type;
    std::uint8_t check;
    std::uint8_t alignment;  // 0 default (the column's), 1 left, 2 centre, 3 right
    std::int16_t alignment_offset;
};

struct ListRow {
    std::int16_t folder;
    std::int16_t depth;
    ListCell* cells;
};

class ListRows {
public:
    ListRows() = default;
    ~ListRows();
    ListRows(const ListRows&) = delete;
    ListRows& operator=(const ListRows&) = delete;

    std::int32_t count() const { return count_; }
    bool in_range(std::int32_t row) const { return row >= 0 && row < count_; }
    ListRow* at(std::int32_t row) const { return rows_[row]; }

    // A new row at `index` (0..count) whose column-0 cell holds `text`.
    ListRow* insert(std::int32_t index, RuntimeString* text, std::int16_t folder, std::int16_t depth);
    void remove(std::int32_t index);
    void clear();
    // Row i becomes the row that was at order[i] (a permutation of all rows).
    void reorder(const std::int32_t* order);

    static ListCell* find(const ListRow* row, std::int32_t column);
    // The cell of `column`, appended when the row has none.
    static ListCell* find_or_add(ListRow* row, std::int32_t column);

private:
    void grow();
    ListRow** rows_ = nullptr;
    std::int32_t count_ = 0, capacity_ = 0;
};
