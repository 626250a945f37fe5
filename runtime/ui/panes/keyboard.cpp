#include "panes/keyboard.h"

#include "objects/code_lookup.h"
#include "panes/key_text.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

namespace {

MenuShortcutHook g_menu_shortcut = nullptr;

bool is_modifier_key(WPARAM key) {
    switch (key) {
        case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LWIN: case VK_RWIN:
        case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
            return true;
        default: return false;
    }
}

// The character a key gives, with the codes that keys without one have
// always had here (arrows 28-31 and so on); 0 for none.
char translated_character(UINT key, LPARAM lparam, const BYTE (&state)[256]) {
    switch (key) {
        case VK_LEFT: return 28;
        case VK_RIGHT: return 29;
        case VK_UP: return 30;
        case VK_DOWN: return 31;
        case VK_DELETE: return 127;
        case VK_HOME: return 1;
        case VK_END: return 4;
        case VK_PRIOR: return 11;
        case VK_NEXT: return 12;
        case VK_HELP: return 5;
        default: break;
    }
    WORD out = 0;
    return ToAscii(key, (lparam >> 16) & 0xFF, state, &out, 0) == 1 ? static_cast<char>(out) : 0;
}

Pane* focus_in(const NativeView* view) {
    Pane* f = focus_pane();
    return f && f->owner == view ? f : nullptr;
}

template <typename Which>
Pane* find_button(NativeView* view, Which which) {
    for (Pane* p = first_pane(view); p; p = p->next)
        if (p->live() && (p->*which)()) return p;
    return nullptr;
}

// Step 5: what is left for the runtime itself.
bool default_keys(NativeView* view, UINT key, std::int32_t modifiers) {
    Pane* focus = focus_in(view);
    switch (key) {
        case VK_TAB:
            if (modifiers & kModifierControl) return false;
            if (focus && focus->takes_tab()) return false;
            focus_move(view, (modifiers & kModifierShift) != 0);
            return true;
        case VK_RETURN: {
            Pane* target = focus && focus->takes_enter() ? focus : find_button(view, &Pane::is_default_button);
            if (!target) return false;
            target->push();
            return true;
        }
        case VK_ESCAPE:
            if (Pane* cancel = find_button(view, &Pane::is_cancel_button)) cancel->push();
            return true;
        default: return false;
    }
}

// Letters and digits are their own key codes; other keys ask the layout.
char unshifted_character(UINT key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<char>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + (key - VK_NUMPAD0));
    return static_cast<char>(MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0xFF);
}

std::int32_t modifiers_of(const BYTE (&state)[256]) {
    std::int32_t m = 0;
    if (state[VK_CONTROL] & 0x80) m |= kModifierControl;
    if (state[VK_SHIFT] & 0x80) m |= kModifierShift;
    if (state[VK_MENU] & 0x80) m |= kModifierAlt;
    return m;
}

bool open(RuntimeObject* window, const NativeView* view) { return as_window(window)->view == view && !view->closing; }

}  // namespace

void keyboard_set_menu_shortcut(MenuShortcutHook hook) { g_menu_shortcut = hook; }

bool view_key_down(NativeView* view, char character) {
    if (view->closing) return true;
    RuntimeObject* window = RuntimeLockObject(as_object(view->window));
    bool taken = false;
    if (event_lookup(window, g_window_events.key_down)) {
        RuntimeString* key = string_from_bytes(&character, 1);
        taken = fire_boolean_text_event(window, g_window_events.key_down, key);
        RuntimeUnlockString(key);
    }
    taken = taken || !open(window, view);
    RuntimeUnlockObject(window);
    return taken;
}

bool keyboard_handle_message(MSG* message) {
    if (message->message != WM_KEYDOWN || is_modifier_key(message->wParam)) return false;
    NativeView* view = view_containing(message->hwnd);
    if (!view || view->closing) return false;
    const UINT key = static_cast<UINT>(message->wParam);
    BYTE state[256];
    if (!GetKeyboardState(state)) return false;
    const std::int32_t modifiers = modifiers_of(state);
    char text[kKeyTextCapacity];
    key_text(static_cast<std::uint8_t>(key), unshifted_character(key), modifiers, text);
    if (g_menu_shortcut && g_menu_shortcut(view, text)) return true;

    const char character = translated_character(key, message->lParam, state);
    RuntimeObject* window = RuntimeLockObject(as_object(view->window));
    bool handled = false;
    if (Pane* focus = focus_in(view)) handled = focus->key_down(character, static_cast<std::uint8_t>(key), modifiers);
    if (!handled && open(window, view) && character) handled = view_key_down(view, character);
    if (!handled && open(window, view)) handled = default_keys(view, key, modifiers);
    handled = handled || !open(window, view);
    RuntimeUnlockObject(window);
    return handled;
}
