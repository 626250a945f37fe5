#include "panes/receivers.h"

#include <cstddef>

#include "descriptions/interface_calls.h"
#include "objects/memory.h"
#include "objects/objects.h"

namespace {

// Most lists hold a receiver or two: their snapshot stays on the stack.
constexpr std::size_t kOnStack = 8;

// Calls `method` with each receiver of a snapshot of the list, and `argument`
// after it when there is one.
void notify(const ReceiverList& list, const char* interface_name, const char* method, const std::int32_t* argument) {
    std::size_t count = 0;
    for (const ReceiverEntry* e = list.first; e; e = e->next) ++count;
    if (count == 0) return;
    RuntimeObject* on_stack[kOnStack];
    RuntimeObject** snapshot = count <= kOnStack
                                   ? on_stack
                                   : static_cast<RuntimeObject**>(runtime_alloc(count * sizeof(RuntimeObject*)));
    std::size_t n = 0;
    for (const ReceiverEntry* e = list.first; e; e = e->next) snapshot[n++] = RuntimeLockObject(e->receiver);
    for (std::size_t i = 0; i < count; ++i) {
        void* code = interface_method(snapshot[i], interface_name, method);
        if (!code) continue;
        if (argument) reinterpret_cast<void (*)(RuntimeObject*, std::int32_t)>(code)(snapshot[i], *argument);
        else reinterpret_cast<void (*)(RuntimeObject*)>(code)(snapshot[i]);
    }
    for (std::size_t i = 0; i < count; ++i) RuntimeUnlockObject(snapshot[i]);
    if (snapshot != on_stack) runtime_free(snapshot, count * sizeof(RuntimeObject*));
}

}  // namespace

void receivers_add(ReceiverList& list, RuntimeObject* receiver) {
    if (!receiver) return;
    auto* entry = static_cast<ReceiverEntry*>(runtime_alloc(sizeof(ReceiverEntry)));
    entry->receiver = RuntimeLockObject(receiver);
    entry->next = list.first;
    list.first = entry;
}

void receivers_remove(ReceiverList& list, RuntimeObject* receiver) {
    for (ReceiverEntry** at = &list.first; *at; at = &(*at)->next) {
        ReceiverEntry* entry = *at;
        if (entry->receiver != receiver) continue;
        *at = entry->next;
        RuntimeObject* held = entry->receiver;
        runtime_free(entry, sizeof *entry);
        RuntimeUnlockObject(held);
        return;
    }
}

void receivers_clear(ReceiverList& list) {
    while (ReceiverEntry* entry = list.first) {
        list.first = entry->next;
        RuntimeObject* held = entry->receiver;
        runtime_free(entry, sizeof *entry);
        RuntimeUnlockObject(held);
    }
}

void receivers_notify(const ReceiverList& list, const char* interface_name, const char* method) {
    notify(list, interface_name, method, nullptr);
}

void receivers_notify(const ReceiverList& list, const char* interface_name, const char* method,
                      std::int32_t argument) {
    notify(list, interface_name, method, &argument);
}

void receivers_notify_action(const ReceiverList& list) {
    receivers_notify(list, "actionNotificationReceiver", "PerformAction");
}

void receivers_notify_data(const ReceiverList& list) {
    receivers_notify(list, "dataNotificationReceiver", "DataChanged");
}
