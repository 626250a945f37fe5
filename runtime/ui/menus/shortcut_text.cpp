#include "menus/shortcut_text.h"

#include "objects/names.h"

namespace {

bool word_is(const char* field, std::size_t length, const char* word) {
    std::size_t n = 0;
    while (word[n]) ++n;
    return name_compare(field, length, word, n) == 0;
}

struct Modifiers {
    bool shift = false, control = false, alt = false;
    void add(const char* field, std::size_t length) {
        if (word_is(field, length, "Shift")) shift = true;
        else if (word_is(field, length, "Control")) control = true;
        else if (word_is(field, length, "Alt")) alt = true;
        // "Option" has no key of its own here; other words mean nothing.
    }
};

}  // namespace

std::size_t shortcut_text(const char* keys, std::size_t length, char (&out)[kShortcutTextCapacity]) {
    out[0] = 0;
    if (length == 0) return 0;
    Modifiers m;
    std::size_t field = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (keys[i] != '-') continue;
        m.add(keys + field, i - field);
        field = i + 1;
    }
    const char* key = keys + field;
    std::size_t key_length = length - field;
    if (key_length == 0) key = "-", key_length = 1;
    if (key_length == 1) m.control = true;

    std::size_t n = 0;
    auto put = [&](const char* text, std::size_t count) {
        for (std::size_t i = 0; i < count && n + 1 < kShortcutTextCapacity; ++i) out[n++] = text[i];
    };
    if (m.control) put("Ctrl+", 5);
    if (m.shift) put("Shft+", 5);
    if (m.alt) put("Alt+", 4);
    put(key, key_length);
    out[n] = 0;
    return n;
}
