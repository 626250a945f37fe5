// The control dictionary of a window: control keys (the name, or name "$"
// index for control arrays) to controls, hashed into 256 buckets, iterated
// in insertion order. It holds the creation reference of each control.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

struct DictionaryEntry {
    DictionaryEntry* bucket_next;
    DictionaryEntry* order_next;
    std::uint32_t hash;
    RuntimeString* key;
    RuntimeObject* control;
};

struct ControlDictionary {
    DictionaryEntry* buckets[256];
    DictionaryEntry* first;
    DictionaryEntry* last;
    std::uint32_t count;
};

// Letters a-z fold to A-Z; hash = c XOR (hash << 2).
std::uint32_t control_key_hash(const char* key, std::size_t length);

ControlDictionary* control_dictionary_new();
// Frees the entries and keys; the controls are left alone.
void control_dictionary_free(ControlDictionary* dictionary);
// The control under `key` (letter case ignored), or null. No reference.
RuntimeObject* control_dictionary_find(const ControlDictionary* dictionary, const char* key, std::size_t length);
// Registers `control` under `key` (a reference to the key is taken; the
// control's reference passes to the dictionary). A key already present
// keeps its place and gets the new control.
void control_dictionary_add(ControlDictionary* dictionary, RuntimeString* key, RuntimeObject* control);

// The key of a control: its name, or name "$" index unless index is kNoIndex.
RuntimeString* control_key(const RuntimeString* name, std::int32_t index);
