#include "values/collection.h"

#include <cstring>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "objects/names.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

struct Entry {
    RuntimeString* key;
    RuntimeObject* value;
};

// The entries live in one block of the runtime allocator, grown by doubling.
struct Entries {
    std::uint32_t count;
    std::uint32_t capacity;
    Entry items[1];
};

struct RuntimeCollection {
    RuntimeObject header;
    Entries* entries;
};
static_assert(sizeof(RuntimeCollection) == 28, "a Collection is seven words");

std::size_t block_size(std::uint32_t capacity) { return sizeof(Entries) + (capacity - 1) * sizeof(Entry); }

RuntimeCollection* as_collection(RuntimeObject* object) { return reinterpret_cast<RuntimeCollection*>(object); }

std::uint32_t count_of(const RuntimeCollection* c) { return c && c->entries ? c->entries->count : 0; }

void make_room(RuntimeCollection* c) {
    Entries* old = c->entries;
    if (old && old->count < old->capacity) return;
    const std::uint32_t capacity = old ? old->capacity * 2 : 4;
    auto* grown = static_cast<Entries*>(runtime_alloc(block_size(capacity)));
    grown->capacity = capacity;
    if (old) {
        grown->count = old->count;
        std::memcpy(grown->items, old->items, old->count * sizeof(Entry));
        runtime_free(old, block_size(old->capacity));
    }
    c->entries = grown;
}

// The position (from 0) of the entry under `key`, or -1.
int find_key(const RuntimeCollection* c, const RuntimeString* key) {
    if (!key) return -1;
    for (std::uint32_t i = 0; i < count_of(c); ++i) {
        const RuntimeString* k = c->entries->items[i].key;
        if (k && name_compare(string_cstr(k), string_length(k), string_cstr(key), string_length(key)) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Takes the entry out before releasing it: the value's destructor may run
// application code that looks at this collection.
void remove_at(RuntimeCollection* c, std::uint32_t at) {
    Entries* e = c->entries;
    const Entry gone = e->items[at];
    std::memmove(&e->items[at], &e->items[at + 1], (e->count - at - 1) * sizeof(Entry));
    --e->count;
    RuntimeUnlockString(gone.key);
    RuntimeUnlockObject(gone.value);
}

void destroy_collection(RuntimeObject* object, RuntimeClass*) {
    RuntimeCollection* c = as_collection(object);
    while (count_of(c)) remove_at(c, count_of(c) - 1);
    if (c->entries) runtime_free(c->entries, block_size(c->entries->capacity));
    c->entries = nullptr;
}

}  // namespace

void collection_class_describe() { builtin_class(BuiltinClass::Collection)->destructor = destroy_collection; }

extern "C" void collectionAdd(RuntimeObject* collection, RuntimeObject* value, RuntimeString* key) {
    RuntimeCollection* c = as_collection(collection);
    if (!c) return;
    RuntimeLockObject(value);
    const int at = find_key(c, key);
    if (at >= 0) {
        RuntimeObject* old = c->entries->items[at].value;
        c->entries->items[at].value = value;
        RuntimeUnlockObject(old);
        return;
    }
    make_room(c);
    RuntimeLockString(key);
    c->entries->items[c->entries->count++] = {key, value};
}

extern "C" std::int32_t collectionCount(RuntimeObject* collection) {
    return static_cast<std::int32_t>(count_of(as_collection(collection)));
}

extern "C" RuntimeObject* collectionItem(RuntimeObject* collection, RuntimeString* key) {
    RuntimeCollection* c = as_collection(collection);
    const int at = find_key(c, key);
    return at < 0 ? nullptr : RuntimeLockObject(c->entries->items[at].value);
}

extern "C" RuntimeObject* collectionIdxItem(RuntimeObject* collection, std::int32_t index) {
    RuntimeCollection* c = as_collection(collection);
    if (index < 1 || static_cast<std::uint32_t>(index) > count_of(c)) return nullptr;
    return RuntimeLockObject(c->entries->items[index - 1].value);
}

extern "C" void collectionIdxRemove(RuntimeObject* collection, std::int32_t index) {
    RuntimeCollection* c = as_collection(collection);
    if (index < 1 || static_cast<std::uint32_t>(index) > count_of(c)) return;
    remove_at(c, static_cast<std::uint32_t>(index - 1));
}

extern "C" void collectionKeyRemove(RuntimeObject* collection, RuntimeString* key) {
    RuntimeCollection* c = as_collection(collection);
    const int at = find_key(c, key);
    if (at >= 0) remove_at(c, static_cast<std::uint32_t>(at));
}
