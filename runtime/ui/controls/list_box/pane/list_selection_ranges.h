// The selected rows of a list as sorted, disjoint, non-touching ranges.
// Row insertions and removals keep the ranges on the same rows.
#pragma once

#include <cstdint>

struct SelectedRange {
    std::int32_t start, count;
};

class SelectionRanges {
public:
    SelectionRanges() = default;
    ~SelectionRanges();
    SelectionRanges(const SelectionRanges&) = delete;
    SelectionRanges& operator=(const SelectionRanges&) = delete;

    bool empty() const { return used_ == 0; }
    std::int32_t ranges() const { return used_; }
    const SelectedRange& range(std::int32_t i) const { return ranges_[i]; }
    bool contains(std::int32_t row) const;
    std::int32_t selected_count() const;
    std::int32_t first() const { return used_ ? ranges_[0].start : -1; }
    std::int32_t last() const { return used_ ? ranges_[used_ - 1].start + ranges_[used_ - 1].count - 1 : -1; }

    void add(std::int32_t row);
    void remove(std::int32_t row);
    void clear() { used_ = 0; }
    // A row was inserted at `row` (not selected) / the row at `row` removed.
    void row_inserted(std::int32_t row);
    void row_removed(std::int32_t row);

private:
    void insert_at(std::int32_t i, SelectedRange r);
    void erase_at(std::int32_t i);
    // The first range that ends at or after `row`.
    std::int32_t lower(std::int32_t row) const;
    SelectedRange* ranges_ = nullptr;
    std::int32_t used_ = 0, capacity_ = 0;
};
