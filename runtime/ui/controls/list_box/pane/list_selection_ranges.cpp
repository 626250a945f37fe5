#include "controls/list_box/pane/list_selection_ranges.h"

#include <cstring>

#include "objects/memory.h"

SelectionRanges::~SelectionRanges() {
    runtime_free(ranges_, static_cast<std::size_t>(capacity_) * sizeof(SelectedRange));
}

std::int32_t SelectionRanges::lower(std::int32_t row) const {
    std::int32_t low = 0, high = used_;
    while (low < high) {
        const std::int32_t middle = (low + high) / 2;
        if (ranges_[middle].start + ranges_[middle].count - 1 < row) low = middle + 1;
        else high = middle;
    }
    return low;
}

bool SelectionRanges::contains(std::int32_t row) const {
    const std::int32_t i = lower(row);
    return i < used_ && ranges_[i].start <= row;
}

std::int32_t SelectionRanges::selected_count() const {
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < used_; ++i) n += ranges_[i].count;
    return n;
}

void SelectionRanges::insert_at(std::int32_t i, SelectedRange r) {
    if (used_ == capacity_) {
        const std::int32_t capacity = capacity_ ? capacity_ * 2 : 4;
        auto* grown = static_cast<SelectedRange*>(runtime_alloc(static_cast<std::size_t>(capacity) * sizeof r));
        if (used_) std::memcpy(grown, ranges_, static_cast<std::size_t>(used_) * sizeof r);
        runtime_free(ranges_, static_cast<std::size_t>(capacity_) * sizeof r);
        ranges_ = grown;
        capacity_ = capacity;
    }
    std::memmove(ranges_ + i + 1, ranges_ + i, static_cast<std::size_t>(used_ - i) * sizeof r);
    ranges_[i] = r;
    ++used_;
}

void SelectionRanges::erase_at(std::int32_t i) {
    std::memmove(ranges_ + i, ranges_ + i + 1, static_cast<std::size_t>(used_ - i - 1) * sizeof(SelectedRange));
    --used_;
}

void SelectionRanges::add(std::int32_t row) {
    // The range that ends just before `row` (or contains it) comes first.
    std::int32_t i = lower(row - 1);
    if (i < used_ && ranges_[i].start <= row && row < ranges_[i].start + ranges_[i].count) return;
    const bool joins_before = i < used_ && ranges_[i].start + ranges_[i].count == row;
    const std::int32_t after = joins_before ? i + 1 : i;
    const bool joins_after = after < used_ && ranges_[after].start == row + 1;
    if (joins_before && joins_after) {
        ranges_[i].count += 1 + ranges_[after].count;
        erase_at(after);
    } else if (joins_before) {
        ranges_[i].count += 1;
    } else if (joins_after) {
        ranges_[after].start = row;
        ranges_[after].count += 1;
    } else {
        insert_at(i, {row, 1});
    }
}

void SelectionRanges::remove(std::int32_t row) {
    const std::int32_t i = lower(row);
    if (i >= used_ || ranges_[i].start > row) return;
    SelectedRange& r = ranges_[i];
    const std::int32_t end = r.start + r.count;  // one past
    if (r.count == 1) {
        erase_at(i);
    } else if (row == r.start) {
        ++r.start;
        --r.count;
    } else if (row == end - 1) {
        --r.count;
    } else {
        r.count = row - r.start;
        insert_at(i + 1, {row + 1, end - row - 1});
    }
}

void SelectionRanges::row_inserted(std::int32_t row) {
    std::int32_t i = lower(row);
    if (i < used_ && ranges_[i].start < row) {
        // The new row splits the range it lands in.
        SelectedRange& r = ranges_[i];
        const std::int32_t tail = r.start + r.count - row;
        r.count = row - r.start;
        insert_at(i + 1, {row, tail});
        ++i;
    }
    for (; i < used_; ++i) ++ranges_[i].start;
}

void SelectionRanges::row_removed(std::int32_t row) {
    remove(row);
    std::int32_t i = lower(row);
    for (std::int32_t j = i; j < used_; ++j) --ranges_[j].start;
    // The rows on both sides of the removed one may now touch.
    if (i > 0 && i < used_ && ranges_[i - 1].start + ranges_[i - 1].count == ranges_[i].start) {
        ranges_[i - 1].count += ranges_[i].count;
        erase_at(i);
    }
}
