#include "controls/list_box/list_binding.h"

#include "controls/list_box/list_access.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/list_row_changes.h"
#include "descriptions/interface_calls.h"
#include "panes/receivers.h"
#include "strings/runtime_string.h"

namespace {

constexpr char kProvider[] = "listDataProvider";
constexpr char kNotifier[] = "listDataNotifier";
constexpr char kTuple[] = "tupleInterface";

template <typename Code>
Code method(RuntimeObject* object, const char* interface_name, const char* name) {
    return reinterpret_cast<Code>(interface_method(object, interface_name, name));
}

void tell_provider(RuntimeObject* provider, const char* name, ListboxObject* list) {
    if (auto call = method<void (*)(RuntimeObject*, RuntimeObject*)>(provider, kNotifier, name))
        call(provider, list_object(list));
}

void make_rows(ListboxObject* list) {
    ListPane* pane = pane_of(list);
    auto count = method<std::int32_t (*)(RuntimeObject*)>(list->provider, kProvider, "GetCount");
    const std::int32_t n = pane && count ? count(list->provider) : 0;
    for (std::int32_t i = 0; i < n && pane_of(list) == pane; ++i) list_insert_row(list, i, nullptr, kPlainRow, 0);
}

}  // namespace

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
    auto get_row = method<RuntimeObject* (*)(RuntimeObject*, std::int32_t)>(list->provider, kProvider, "GetRow");
    RuntimeObject* tuple = get_row ? get_row(list->provider, row + 1) : nullptr;
    if (!tuple) return nullptr;
    RuntimeString* text = nullptr;
    auto fields = method<std::int32_t (*)(RuntimeObject*)>(tuple, kTuple, "FieldCount");
    auto field = method<RuntimeString* (*)(RuntimeObject*, std::int32_t)>(tuple, kTuple, "getIndString");
    if (fields && field && column < fields(tuple)) text = field(tuple, column + 1);
    RuntimeUnlockObject(tuple);
    return text;
}

void list_release_bindings(ListboxObject* list) {
    receivers_clear(list->action_receivers);
    receivers_clear(list->selection_receivers);
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
