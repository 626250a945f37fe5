#include "descriptions/control_dictionary.h"

#include "controls/control_object.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"
#include "strings/string_compare.h"

namespace {

bool keys_equal(const RuntimeString* key, const char* text, std::size_t length) {
    return text_compare_ignoring_case(Text{string_data(key), string_length(key)},
                                      Text{reinterpret_cast<const std::uint8_t*>(text), length}) == 0;
}

}  // namespace

std::uint32_t control_key_hash(const char* key, std::size_t length) {
    std::uint32_t hash = 0;
    for (std::size_t i = 0; i < length; ++i) {
        std::uint8_t c = static_cast<std::uint8_t>(key[i]);
        if (c >= 'a' && c <= 'z') c = static_cast<std::uint8_t>(c - 'a' + 'A');
        hash = c ^ (hash << 2);
    }
    return hash;
}

ControlDictionary* control_dictionary_new() {
    return static_cast<ControlDictionary*>(runtime_alloc(sizeof(ControlDictionary)));
}

void control_dictionary_free(ControlDictionary* dictionary) {
    if (!dictionary) return;
    for (DictionaryEntry* e = dictionary->first; e;) {
        DictionaryEntry* next = e->order_next;
        RuntimeUnlockString(e->key);
        runtime_free(e, sizeof *e);
        e = next;
    }
    runtime_free(dictionary, sizeof *dictionary);
}

RuntimeObject* control_dictionary_find(const ControlDictionary* dictionary, const char* key, std::size_t length) {
    if (!dictionary) return nullptr;
    const std::uint32_t hash = control_key_hash(key, length);
    for (const DictionaryEntry* e = dictionary->buckets[hash & 0xFF]; e; e = e->bucket_next)
        if (e->hash == hash && keys_equal(e->key, key, length)) return e->control;
    return nullptr;
}

void control_dictionary_add(ControlDictionary* dictionary, RuntimeString* key, RuntimeObject* control) {
    const char* text = string_cstr(key);
    const std::uint32_t length = string_length(key);
    const std::uint32_t hash = control_key_hash(text, length);
    for (DictionaryEntry* e = dictionary->buckets[hash & 0xFF]; e; e = e->bucket_next) {
        if (e->hash == hash && keys_equal(e->key, text, length)) {
            e->control = control;
            return;
        }
    }
    auto* e = static_cast<DictionaryEntry*>(runtime_alloc(sizeof(DictionaryEntry)));
    e->hash = hash;
    RuntimeLockString(key);
    e->key = key;
    e->control = control;
    e->bucket_next = dictionary->buckets[hash & 0xFF];
    dictionary->buckets[hash & 0xFF] = e;
    if (dictionary->last) dictionary->last->order_next = e;
    else dictionary->first = e;
    dictionary->last = e;
    ++dictionary->count;
}

RuntimeString* control_key(const RuntimeString* name, std::int32_t index) {
    if (index == kNoIndex) {
        RuntimeString* same = const_cast<RuntimeString*>(name);
        RuntimeLockString(same);
        return same;
    }
    char digits[16];
    char* at = digits + sizeof digits;
    *--at = '\0';
    std::uint32_t magnitude = index < 0 ? 0u - static_cast<std::uint32_t>(index) : static_cast<std::uint32_t>(index);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (index < 0) *--at = '-';
    return string_concat({string_cstr(name), "$", at});
}
