#include "controls/list_box/list_binding.h"

#include "controls/list_box/list_access.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/list_row_changes.h"
#include "descriptions/interface_calls.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "panes/binding_interfaces.h"
#include "panes/receivers.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
constexpr char kProvider[] = "listDataProvider";
constexpr char kNotifier[] = "listDataNotifier";
constexpr char kTuple[] = "tupleInterface";
constexpr char kRowReceiver[] = "listDataNotificationReceiver";

// One row of a list as a provider hands it out: its cells as fields.
struct RowTuple {
    RuntimeObject header;
    RuntimeObject* list;  // one reference
    std::int32_t row;     // from 0
};

RowTuple* tuple_of(RuntimeObject* object) { return reinterpret_cast<RowTuple*>(object); }

void tuple_release(RuntimeObject* object, RuntimeClass*) {
    RuntimeObject* list = tuple_of(object)->list;
    tuple_of(object)->list = nullptr;
    RuntimeUnlockObject(list);
}

void tell_provider(RuntimeObject* provider, const char* name, ListboxObject* list) {
    if (auto call = interface_code<void (*)(RuntimeObject*, RuntimeObject*)>(provider, kNotifier, name))
        call(provider, list_object(list));
}

void make_rows(ListboxObject* list) {
    ListPane* pane = pane_of(list);
    auto count = interface_code<std::int32_t (*)(RuntimeObject*)>(list->provider, kProvider, "GetCount");
    const std::int32_t n = pane && count ? count(list->provider) : 0;
    for (std::int32_t i = 0; i < n && pane_of(list) == pane; ++i) list_insert_row(list, i, nullptr, kPlainRow, 0);
}

// Provider rows and fields count from 1; only existing ones are reached,
// so that a reader never meets the out-of-range exception.
bool has_row(ListboxObject* list, std::int32_t row) { return row >= 1 && row <= list_row_count(list); }

std::int32_t row_count(RuntimeObject* list) { return list_row_count(as_list(list)); }

RuntimeObject* row_tuple(RuntimeObject* list, std::int32_t row) {
    if (!has_row(as_list(list), row)) return nullptr;
    RuntimeObject* object = object_new(builtin_class(B::ListColumnValueProvider));
    tuple_of(object)->list = RuntimeLockObject(list);
    tuple_of(object)->row = row - 1;
    return object;
}

std::int32_t cell_type(RuntimeObject* list, std::int32_t row, std::int32_t column) {
    return has_row(as_list(list), row) ? listCellTypeGetter(list, row - 1, column - 1) : 0;
}

void set_cell_string(RuntimeObject* list, std::int32_t row, std::int32_t column, RuntimeString* text) {
    if (has_row(as_list(list), row) && column >= 1) listSetCell(list, row - 1, column - 1, text);
}

std::int32_t field_count(RuntimeObject* tuple) {
    RuntimeObject* list = tuple_of(tuple)->list;
    return list ? listColumnCountGetter(list, 0) : 0;
}

RuntimeString* field_text(RuntimeObject* tuple, std::int32_t field) {
    RowTuple* t = tuple_of(tuple);
    if (!t->list || !has_row(as_list(t->list), t->row + 1) || field < 1) return nullptr;
    return listGetCell(t->list, t->row, field - 1);
}

void add_row_receiver(RuntimeObject* list, RuntimeObject* receiver) {
    if (ListPane* pane = pane_of(as_list(list))) receivers_add(pane->row_receivers, receiver);
}

void remove_row_receiver(RuntimeObject* list, RuntimeObject* receiver) {
    if (ListPane* pane = pane_of(as_list(list))) receivers_remove(pane->row_receivers, receiver);
}

// Only a provider is taken: anything else would leave the list bound to nothing.
void set_provider(RuntimeObject* list, RuntimeObject* provider) {
    if (interface_method(provider, kProvider, "GetCount")) list_attach_provider(as_list(list), provider);
}

// The provider's reports, on the list shown from it.
void provider_inserted_row(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = as_list(object);
    if (list_bound(list) && row >= 1 && row <= list_row_count(list) + 1)
        list_insert_row(list, row - 1, nullptr, kPlainRow, 0);
}

void provider_removed_row(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = as_list(object);
    if (list_bound(list) && has_row(list, row)) list_delete_row(list, row - 1);
}

void provider_reload(RuntimeObject* object) {
    ListboxObject* list = as_list(object);
    if (!list_bound(list) || !pane_of(list)) return;
    list_delete_all_rows(list);
    make_rows(list);
}

bool has_selection(RuntimeObject* list) { return listSelCountGetter(list) > 0; }

// The list's row receivers hear `method`, with the provider's row number
// where it names one; the list stays alive while they run.
template <typename... Row>
void tell_rows(ListboxObject* list, const char* method, Row... row) {
    ListPane* pane = pane_of(list);
    if (!pane || !pane->row_receivers.first) return;
    RuntimeObject* held = RuntimeLockObject(list_object(list));
    receivers_notify(pane->row_receivers, kRowReceiver, method, row...);
    RuntimeUnlockObject(held);
}

}  // namespace

void list_binding_describe() {
    builtin_implements(B::Listbox, "actionSource", lbaAddActionNotificationReceiver,
                       lbaRemoveActionNotificationReceiver);
    builtin_implements(B::Listbox, "listSelectionNotifier", listAddLSNR, listRemoveLSNR);
    builtin_implements(B::Listbox, "DataAvailableProvider", has_selection);
    builtin_implements(B::Listbox, "StringProvider", listTextGetter);
    builtin_implements(B::Listbox, "bindingPartInterface", listGetBoundPart);
    builtin_implements(B::Listbox, "ListInterface", set_provider);
    builtin_implements(B::Listbox, kProvider, row_count, row_tuple, cell_type, set_cell_string);
    builtin_implements(B::Listbox, kNotifier, add_row_receiver, remove_row_receiver);
    builtin_implements(B::Listbox, kRowReceiver, provider_inserted_row, provider_removed_row, provider_reload);
    RuntimeClass* tuple = builtin_class(B::ListColumnValueProvider);
    tuple->instance_size = sizeof(RowTuple);
    tuple->destructor = tuple_release;
    builtin_implements(B::ListColumnValueProvider, kTuple, field_count, field_text);
}

void list_tell_row_inserted(ListboxObject* list, std::int32_t index) {
    tell_rows(list, "listDataInsertedRow", index + 1);
}

void list_tell_row_removed(ListboxObject* list, std::int32_t index) {
    tell_rows(list, "listDataRemovedRow", index + 1);
}

void list_tell_reload(ListboxObject* list) { tell_rows(list, "listDataReload"); }

void list_attach_provider(ListboxObject* list, RuntimeObject* provider) {
    if (pane_of(list)) list_delete_all_rows(list);
    RuntimeObject* old = list->provider;
    list->provider = nullptr;
    if (old) {
        tell_provider(old, "removeListDataNotificationReceiver", list);
        RuntimeUnlockObject(old);
    }
    if (!provider) return;
    list->provider = RuntimeLockObject(provider);
    tell_provider(provider, "addListDataNotificationReceiver", list);
    make_rows(list);
}

RuntimeString* list_provider_text(ListboxObject* list, std::int32_t row, std::int32_t column) {
    auto get_row =
        interface_code<RuntimeObject* (*)(RuntimeObject*, std::int32_t)>(list->provider, kProvider, "GetRow");
    RuntimeObject* tuple = get_row ? get_row(list->provider, row + 1) : nullptr;
    if (!tuple) return nullptr;
    RuntimeString* text = nullptr;
    auto fields = interface_code<std::int32_t (*)(RuntimeObject*)>(tuple, kTuple, "FieldCount");
    auto field = interface_code<RuntimeString* (*)(RuntimeObject*, std::int32_t)>(tuple, kTuple, "getIndString");
    if (fields && field && column < fields(tuple)) text = field(tuple, column + 1);
    RuntimeUnlockObject(tuple);
    return text;
}

void list_release_bindings(ListboxObject* list) {
    receivers_clear(list->action_receivers);
    receivers_clear(list->selection_receivers);
    if (ListPane* pane = pane_of(list)) receivers_clear(pane->row_receivers);
    RuntimeObject* provider = list->provider;
    list->provider = nullptr;
    if (!provider) return;
    tell_provider(provider, "removeListDataNotificationReceiver", list);
    RuntimeUnlockObject(provider);
}

extern "C" {

void listAddLSNR(RuntimeObject* list, RuntimeObject* receiver) {
    if (list) receivers_add(as_list(list)->selection_receivers, receiver);
}

void listRemoveLSNR(RuntimeObject* list, RuntimeObject* receiver) {
    if (list) receivers_remove(as_list(list)->selection_receivers, receiver);
}

void lbaAddActionNotificationReceiver(RuntimeObject* list, RuntimeObject* receiver) {
    if (list) receivers_add(as_list(list)->action_receivers, receiver);
}

void lbaRemoveActionNotificationReceiver(RuntimeObject* list, RuntimeObject* receiver) {
    if (list) receivers_remove(as_list(list)->action_receivers, receiver);
}

// No part of a list is named for binding yet: every name answers nil, as
// unknown part names do for the other controls.
RuntimeObject* listGetBoundPart(RuntimeObject*, RuntimeString*) { return nullptr; }

}  // extern "C"
