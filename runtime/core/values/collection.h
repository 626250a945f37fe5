// Collections: values in the order they were added, each with an optional
// key. Keys compare without regard to letter case; positions count from 1.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

// Gives the Collection class its destructor; called at start-up before any
// collection exists.
void collection_class_describe();

extern "C" {
// A value added under a key that is already present replaces that entry's
// value and keeps its place. Nil keys (the empty string) are never found.
void collectionAdd(RuntimeObject* collection, RuntimeObject* value, RuntimeString* key);
std::int32_t collectionCount(RuntimeObject* collection);
RuntimeObject* collectionItem(RuntimeObject* collection, RuntimeString* key);      // nil when absent
RuntimeObject* collectionIdxItem(RuntimeObject* collection, std::int32_t index);   // nil when out of range
void collectionIdxRemove(RuntimeObject* collection, std::int32_t index);
void collectionKeyRemove(RuntimeObject* collection, RuntimeString* key);
}
