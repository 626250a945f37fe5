#include "objects/final_release.h"

#include "objects/memory.h"

namespace {

struct Entry {
    Entry* next;
    FinalReleaseAction action;
    void* context;
};

Entry* g_entries = nullptr;

}  // namespace

void final_release_add(FinalReleaseAction action, void* context) {
    auto* entry = static_cast<Entry*>(runtime_alloc(sizeof(Entry)));
    *entry = {g_entries, action, context};
    g_entries = entry;
}

void final_release_run() {
    while (Entry* entry = g_entries) {
        g_entries = entry->next;
        FinalReleaseAction action = entry->action;
        void* context = entry->context;
        runtime_free(entry, sizeof(Entry));
        action(context);
    }
}
