// The BevelButton's menu rows and its action receivers, and the methods
// that reach them. Row indexes start at 0; out-of-range ones are ignored.
#include <cstdlib>
#include <cstring>

#include "bevel_button.h"
#include "services.h"

namespace {

bool make_room(BevelData& d) {
    if (d.row_count < d.row_capacity) return true;
    const std::int32_t capacity = d.row_capacity ? d.row_capacity * 2 : 8;
    void* grown = std::realloc(d.rows, static_cast<std::size_t>(capacity) * sizeof(BevelRow));
    if (!grown) return false;
    d.rows = static_cast<BevelRow*>(grown);
    d.row_capacity = capacity;
    return true;
}

// `row` past the end appends.
void insert(void* control, std::int32_t row, void* text, bool separator) {
    BevelData& d = bevel_data(control);
    if (row < 0 || !make_room(d)) return;
    if (row > d.row_count) row = d.row_count;
    std::memmove(d.rows + row + 1, d.rows + row, static_cast<std::size_t>(d.row_count - row) * sizeof(BevelRow));
    if (text) services().lock_string(text);
    d.rows[row] = {text, separator ? 1 : 0};
    ++d.row_count;
}

bool in_range(const BevelData& d, std::int32_t row) { return row >= 0 && row < d.row_count; }

void delete_all_rows(void* control) { bevel_rows_release(bevel_data(control)); }
void add_row(void* control, void* text) { insert(control, bevel_data(control).row_count, text, false); }
void add_separator(void* control) { insert(control, bevel_data(control).row_count, nullptr, true); }
void insert_row(void* control, std::int32_t row, void* text) { insert(control, row, text, false); }

void remove_row(void* control, std::int32_t row) {
    BevelData& d = bevel_data(control);
    if (!in_range(d, row)) return;
    services().unlock_string(d.rows[row].text);
    std::memmove(d.rows + row, d.rows + row + 1, static_cast<std::size_t>(d.row_count - row - 1) * sizeof(BevelRow));
    --d.row_count;
}

// A new reference for the caller; nil out of range.
void* list(void* control, std::int32_t row) {
    BevelData& d = bevel_data(control);
    if (!in_range(d, row) || !d.rows[row].text) return nullptr;
    services().lock_string(d.rows[row].text);
    return d.rows[row].text;
}

void assign_list(void* control, std::int32_t row, void* text) {
    BevelData& d = bevel_data(control);
    if (!in_range(d, row)) return;
    const Services& s = services();
    if (text) s.lock_string(text);
    s.unlock_string(d.rows[row].text);
    d.rows[row].text = text;
}

void add_receiver(void* control, void* receiver) {
    if (!receiver) return;
    auto* entry = static_cast<BevelReceiver*>(std::malloc(sizeof(BevelReceiver)));
    if (!entry) return;
    BevelData& d = bevel_data(control);
    services().lock_object(receiver);
    *entry = {d.receivers, receiver};
    d.receivers = entry;
}

void remove_receiver(void* control, void* receiver) {
    BevelData& d = bevel_data(control);
    for (BevelReceiver** link = &d.receivers; *link; link = &(*link)->next) {
        if ((*link)->receiver != receiver) continue;
        BevelReceiver* gone = *link;
        *link = gone->next;
        services().unlock_object(gone->receiver);
        std::free(gone);
        return;
    }
}

template <typename F>
void* code(F f) {
    return reinterpret_cast<void*>(f);
}

}  // namespace

const TAVOMethodDefinition kBevelMethods[8] = {
    {code(delete_all_rows), nullptr, "DeleteAllRows"},
    {code(add_row), nullptr, "AddRow(text As String)"},
    {code(add_separator), nullptr, "AddSeparator"},
    {code(remove_row), nullptr, "RemoveRow(row As Integer)"},
    {code(insert_row), nullptr, "InsertRow(row As Integer, text As String)"},
    {code(list), code(assign_list), "List(row As Integer) As String"},
    {code(add_receiver), nullptr, "addActionNotificationReceiver(receiver As actionNotificationReceiver)"},
    {code(remove_receiver), nullptr, "removeActionNotificationReceiver(receiver As actionNotificationReceiver)"},
};

void bevel_rows_release(BevelData& d) {
    const Services& s = services();
    for (std::int32_t i = 0; i < d.row_count; ++i) s.unlock_string(d.rows[i].text);
    std::free(d.rows);
    d.rows = nullptr;
    d.row_count = d.row_capacity = 0;
}

void bevel_receivers_release(BevelData& d) {
    while (BevelReceiver* entry = d.receivers) {
        d.receivers = entry->next;
        services().unlock_object(entry->receiver);
        std::free(entry);
    }
}

// A receiver may remove itself (or others) when told: each is held while
// it is told, and the walk goes on from a list taken beforehand.
void bevel_notify_receivers(void* control) {
    const Services& s = services();
    BevelData& d = bevel_data(control);
    std::int32_t count = 0;
    for (BevelReceiver* e = d.receivers; e; e = e->next) ++count;
    if (count == 0) return;
    void** told = static_cast<void**>(std::malloc(static_cast<std::size_t>(count) * sizeof(void*)));
    if (!told) return;
    std::int32_t n = 0;
    for (BevelReceiver* e = d.receivers; e; e = e->next) {
        s.lock_object(e->receiver);
        told[n++] = e->receiver;
    }
    for (std::int32_t i = 0; i < n; ++i) {
        auto perform = reinterpret_cast<void (*)(void*)>(
            s.interface_routine(told[i], "actionNotificationReceiver", "PerformAction"));
        if (perform) perform(told[i]);
    }
    for (std::int32_t i = 0; i < n; ++i) s.unlock_object(told[i]);
    std::free(told);
}
