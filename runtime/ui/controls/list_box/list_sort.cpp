#include "controls/list_box/list_sort.h"

#include <algorithm>

#include "controls/list_box/list_binding.h"
#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "objects/memory.h"
#include "strings/string_functions.h"
#include "strings/runtime_string.h"

namespace {

struct Group {
    std::int32_t start, length;
    RuntimeString* key;  // borrowed from the top row's cell
};

template <typename T>
T* take(std::int32_t n) {
    return static_cast<T*>(runtime_alloc(static_cast<std::size_t>(n) * sizeof(T)));
}

template <typename T>
void give_back(T* block, std::int32_t n) {
    runtime_free(block, static_cast<std::size_t>(n) * sizeof(T));
}

}  // namespace

void list_sort_by_heading(ListboxObject* list, std::int32_t column) {
    ListPane* pane = pane_of(list);
    if (!pane || list_bound(list) || pane->rows.count() == 0) return;
    if (list_raise_sort_column(list, column)) return;
    list_sort_rows(list, column);
}

void list_sort_rows(ListboxObject* list, std::int32_t column) {
    ListPane* pane = pane_of(list);
    if (!pane) return;
    ListRows& rows = pane->rows;
    const std::int32_t n = rows.count();
    if (n < 2) return;
    auto* groups = take<Group>(n);
    std::int32_t group_count = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        // A row at depth 0 starts a group; a first row that is deeper makes one of its own.
        if (rows.at(i)->depth > 0 && group_count > 0) {
            ++groups[group_count - 1].length;
            continue;
        }
        const ListCell* cell = ListRows::find(rows.at(i), column);
        groups[group_count++] = {i, 1, cell ? cell->text : nullptr};
    }
    std::stable_sort(groups, groups + group_count,
                     [](const Group& a, const Group& b) { return RuntimeStringCompare(a.key, b.key) < 0; });
    auto* order = take<std::int32_t>(n);
    auto* was_selected = take<std::uint8_t>(n);
    std::int32_t at = 0;
    for (std::int32_t g = 0; g < group_count; ++g)
        for (std::int32_t k = 0; k < groups[g].length; ++k) order[at++] = groups[g].start + k;
    for (std::int32_t i = 0; i < n; ++i) was_selected[i] = pane->selection.contains(i) ? 1 : 0;
    rows.reorder(order);
    // The selection stays with its rows.
    pane->selection.clear();
    for (std::int32_t i = 0; i < n; ++i)
        if (was_selected[order[i]]) pane->selection.add(i);
    give_back(was_selected, n);
    give_back(order, n);
    give_back(groups, n);
    pane->redraw_all();
    list_tell_reload(list);
}
