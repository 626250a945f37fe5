// Keys in the list: KeyDown first; then the arrows move or extend the
// selection and Home, End, Page Up and Page Down only scroll.
#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "controls/list_box/list_selection.h"

bool ListPane::key_down(char character, std::uint8_t key_code, std::int32_t modifiers) {
    ListboxObject* l = list;
    RuntimeObject* held = RuntimeLockObject(list_object(l));
    bool taken = character && list_raise_key_down(l, character);
    if (!taken && pane_of(l) == this && !(modifiers & kModifierControl)) taken = keys(key_code, modifiers);
    RuntimeUnlockObject(held);
    return taken;
}

bool ListPane::keys(std::uint8_t key_code, std::int32_t modifiers) {
    const bool up = key_code == VK_UP;
    const std::int32_t count = rows.count();
    switch (key_code) {
        case VK_HOME: scroll_to(0); return true;
        case VK_END: scroll_to(count); return true;
        case VK_PRIOR: scroll_to(list->scroll_position - page_rows()); return true;
        case VK_NEXT: scroll_to(list->scroll_position + page_rows()); return true;
        case VK_UP:
        case VK_DOWN: break;
        default: return false;
    }
    if (count == 0) return true;
    if (selection.empty()) {
        list_select_only(list, 0, true);
        return true;
    }
    const std::int32_t first = selection.first(), last = selection.last();
    if (list->selection_type == 1 && (modifiers & kModifierShift)) {
        const std::int32_t added = up ? first - 1 : last + 1;
        if (!rows.in_range(added)) return true;
        ListboxObject* l = list;
        list_selection_changing(l);
        if (pane_of(l) != this) return true;
        list_mark_row(l, added, true);
        scroll_into_view(added);
        list_selection_changed(l);
        return true;
    }
    if (selection.selected_count() > 1) {
        list_select_only(list, up ? first : last, true);
        return true;
    }
    const std::int32_t next = up ? first - 1 : first + 1;
    if (rows.in_range(next)) list_select_only(list, next, true);
    return true;
}
