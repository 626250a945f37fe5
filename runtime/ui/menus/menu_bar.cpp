#include "menus/menu_bar.h"

#include <cstring>

#include "menus/menu_item.h"
#include "objects/memory.h"
#include "windows/native_view.h"

namespace {

HMENU g_bar = nullptr;
Menu* g_first = nullptr;
Menu* g_last = nullptr;

// Item arrays are sized exactly, so that closing what was cloned gives the
// memory back.
MenuItemObject** item_array(std::uint32_t count) {
    return count ? static_cast<MenuItemObject**>(runtime_alloc(sizeof(MenuItemObject*) * count)) : nullptr;
}

}  // namespace

HMENU menu_bar_handle() { return g_bar; }
Menu* menus_first() { return g_first; }

void menu_bar_set_handle(HMENU bar) {
    g_bar = bar;
    application_menu_bar_set(bar);
}

Menu* menu_add(HMENU handle, MenuItemObject* parent) {
    auto* menu = static_cast<Menu*>(runtime_alloc(sizeof(Menu)));
    menu->handle = handle;
    menu->parent = parent;
    if (g_last) g_last->next = menu;
    else g_first = menu;
    g_last = menu;
    return menu;
}

Menu* submenu_of(const MenuItemObject* item) {
    for (Menu* m = g_first; m; m = m->next)
        if (m->parent == item) return m;
    return nullptr;
}

void menu_insert_item(Menu* menu, std::uint32_t at, MenuItemObject* item) {
    if (at > menu->count) at = menu->count;
    MenuItemObject** fresh = item_array(menu->count + 1);
    if (at) std::memcpy(fresh, menu->items, sizeof(MenuItemObject*) * at);
    fresh[at] = item;
    if (menu->count > at) std::memcpy(fresh + at + 1, menu->items + at, sizeof(MenuItemObject*) * (menu->count - at));
    runtime_free(menu->items, sizeof(MenuItemObject*) * menu->count);
    menu->items = fresh;
    ++menu->count;
    item->menu = menu;
    RuntimeLockObject(as_object(item));
}

void menu_remove_item(Menu* menu, std::uint32_t at) {
    if (at >= menu->count) return;
    MenuItemObject* item = menu->items[at];
    MenuItemObject** fresh = item_array(menu->count - 1);
    if (at) std::memcpy(fresh, menu->items, sizeof(MenuItemObject*) * at);
    if (menu->count > at + 1) std::memcpy(fresh + at, menu->items + at + 1, sizeof(MenuItemObject*) * (menu->count - at - 1));
    runtime_free(menu->items, sizeof(MenuItemObject*) * menu->count);
    menu->items = fresh;
    --menu->count;
    item->menu = nullptr;
    RuntimeUnlockObject(as_object(item));
}

std::uint32_t menu_index_of(const Menu* menu, const MenuItemObject* item) {
    std::uint32_t i = 0;
    while (i < menu->count && menu->items[i] != item) ++i;
    return i;
}

void menu_bar_show(NativeView* view, bool visible) {
    if (!view || !view->owns_menu_bar) return;
    HMENU wanted = visible ? g_bar : nullptr;
    if (GetMenu(view->hwnd) == wanted) return;
    SetMenu(view->hwnd, wanted);
    DrawMenuBar(view->hwnd);
}
