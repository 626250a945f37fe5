#include "panes/key_text.h"

#include <windows.h>

#include <cstring>

#include "panes/pane.h"

namespace {

// Virtual keys 32-47.
const char* const kNavigationNames[] = {"Space", "PgUp", "PgDn",   "End",     "Home",     "Left", "Up",  "Right",
                                        "Down",  "Select", "Print", "Execute", "Snapshot", "Ins",  "Del", "Help"};

const char* key_name(std::uint8_t key) {
    switch (key) {
        case VK_BACK: return "Bsp";
        case VK_TAB: return "Tab";
        case VK_CLEAR: return "Clr";
        case VK_RETURN: return "Enter";
        case VK_ESCAPE: return "Esc";
        default: break;
    }
    if (key >= 32 && key <= 47) return kNavigationNames[key - 32];
    return nullptr;
}

struct Writer {
    char (&out)[kKeyTextCapacity];
    std::size_t n = 0;
    void put(const char* text) {
        while (*text && n + 1 < kKeyTextCapacity) out[n++] = *text++;
    }
    void put(char c) {
        if (n + 1 < kKeyTextCapacity) out[n++] = c;
    }
};

}  // namespace

std::size_t key_text(std::uint8_t key, char character, std::int32_t modifiers, char (&out)[kKeyTextCapacity]) {
    Writer w{out};
    if (modifiers & kModifierControl) w.put("Ctrl+");
    if (modifiers & kModifierShift) w.put("Shft+");
    if (modifiers & kModifierAlt) w.put("Alt+");
    if (const char* name = key_name(key)) {
        w.put(name);
    } else if (key >= VK_F1 && key <= VK_F24) {
        // F10 and up as their number, as a menu's shortcut text names them.
        const int number = key - VK_F1 + 1;
        w.put('F');
        if (number >= 10) w.put(static_cast<char>('0' + number / 10));
        w.put(static_cast<char>('0' + number % 10));
    } else if (character) {
        w.put(character);
    }
    out[w.n] = 0;
    return w.n;
}
