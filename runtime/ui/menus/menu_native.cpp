#include "menus/menu_native.h"

#include "menus/menu_bar.h"
#include "menus/menu_item.h"
#include "menus/shortcut_text.h"
#include "strings/runtime_string.h"

namespace {

UINT state_of(const MenuItemObject* item) {
    return (item->enabled ? MFS_ENABLED : MFS_GRAYED) | (item->checked ? MFS_CHECKED : MFS_UNCHECKED);
}

}  // namespace

RuntimeString* menu_item_label(const MenuItemObject* item) {
    char shortcut[kShortcutTextCapacity];
    if (!shortcut_text(string_cstr(item->shortcut), string_length(item->shortcut), shortcut))
        return string_from_cstr(string_cstr(item->text));
    return string_concat({string_cstr(item->text), "\t", shortcut});
}

void menu_item_insert_native(MenuItemObject* item, UINT position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.wID = static_cast<UINT>(item->command_id);
    RuntimeString* label = nullptr;
    if (menu_item_is_separator(item)) {
        info.fMask = MIIM_FTYPE | MIIM_ID;
        info.fType = MFT_SEPARATOR;
    } else {
        label = menu_item_label(item);
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
        info.dwTypeData = const_cast<char*>(string_cstr(label));
        info.fState = state_of(item);
        if (Menu* sub = submenu_of(item)) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub->handle;
        }
    }
    InsertMenuItemA(item->menu->handle, position, TRUE, &info);
    RuntimeUnlockString(label);
    item->inserted = 1;
    item->position = static_cast<std::int32_t>(position);
    item->shown_enabled = item->enabled;
    item->shown_checked = item->checked;
}

void menu_item_relabel(MenuItemObject* item) {
    if (!item->menu || !item->inserted || menu_item_is_separator(item)) return;
    RuntimeString* label = menu_item_label(item);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(string_cstr(label));
    SetMenuItemInfoA(item->menu->handle, static_cast<UINT>(item->position), TRUE, &info);
    RuntimeUnlockString(label);
}

void menu_apply(Menu* menu) {
    UINT position = 0;
    for (std::uint32_t i = 0; i < menu->count; ++i) {
        MenuItemObject* item = menu->items[i];
        if (item->inserted && !item->visible) {
            // RemoveMenu keeps a submenu alive for when the item comes back.
            RemoveMenu(menu->handle, position, MF_BYPOSITION);
            item->inserted = 0;
            continue;
        }
        if (!item->inserted && item->visible) menu_item_insert_native(item, position);
        if (item->inserted) item->position = static_cast<std::int32_t>(position++);
    }
    for (std::uint32_t i = 0; i < menu->count; ++i) {
        MenuItemObject* item = menu->items[i];
        if (!item->inserted || menu_item_is_separator(item)) continue;
        const UINT at = static_cast<UINT>(item->position);
        if (item->enabled != item->shown_enabled) {
            EnableMenuItem(menu->handle, at, MF_BYPOSITION | (item->enabled ? MF_ENABLED : MF_GRAYED));
            item->shown_enabled = item->enabled;
        }
        if (item->checked != item->shown_checked) {
            CheckMenuItem(menu->handle, at, MF_BYPOSITION | (item->checked ? MF_CHECKED : MF_UNCHECKED));
            item->shown_checked = item->checked;
        }
    }
}

void menus_apply_all() {
    for (Menu* m = menus_first(); m; m = m->next) menu_apply(m);
}
