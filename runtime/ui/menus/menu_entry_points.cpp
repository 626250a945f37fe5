#include "menus/menu_entry_points.h"

#include "menus/command_ids.h"
#include "menus/menu_bar.h"
#include "menus/menu_item.h"
#include "menus/menu_lookup.h"
#include "menus/menu_native.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"

namespace {

MenuItemObject* item_of(RuntimeObject* object) { return is_menu_item(object) ? as_menu_item(object) : nullptr; }

// The smallest array index that no item of the name uses: with n such
// items it is at most n.
std::int32_t free_index(const RuntimeString* name) {
    std::uint32_t n = 0;
    for (const Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i) n += names_equal(m->items[i]->name, name);
    auto* used = static_cast<std::uint8_t*>(runtime_alloc(n + 1));
    for (const Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i) {
            const MenuItemObject* item = m->items[i];
            if (item->index >= 0 && static_cast<std::uint32_t>(item->index) <= n && names_equal(item->name, name))
                used[item->index] = 1;
        }
    std::uint32_t smallest = 0;
    while (used[smallest]) ++smallest;
    runtime_free(used, n + 1);
    return static_cast<std::int32_t>(smallest);
}

MenuItemObject* last_named(const RuntimeString* name) {
    MenuItemObject* last = nullptr;
    for (Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i)
            if (names_equal(m->items[i]->name, name)) last = m->items[i];
    return last;
}

}  // namespace

extern "C" RuntimeObject* RuntimeMenuReference(RuntimeString* name) {
    return RuntimeLockObject(as_object(menu_item_find(name, kNotInArray)));
}

extern "C" RuntimeObject* RuntimeMenuArrayReference(RuntimeString* name, std::int32_t index) {
    if (index == kNotInArray) return nullptr;
    return RuntimeLockObject(as_object(menu_item_find(name, index)));
}

extern "C" RuntimeObject* RuntimeCloneMenu(RuntimeString* name) {
    MenuItemObject* last = name ? last_named(name) : nullptr;
    if (!last) return nullptr;
    const std::int32_t index = free_index(name);
    MenuItemObject* clone = as_menu_item(object_new(last->header.cls));
    string_assign(&clone->name, last->name);
    string_assign(&clone->text, last->text);
    string_assign(&clone->shortcut, last->shortcut);
    string_assign(&clone->kept[0], last->kept[0]);
    string_assign(&clone->kept[1], last->kept[1]);
    clone->stream_flag = last->stream_flag;
    clone->index = index;
    clone->command_id = command_id_take(clone);
    Menu* menu = last->menu;
    menu_insert_item(menu, menu_index_of(menu, last) + 1, clone);
    menu_apply(menu);
    return as_object(clone);
}

extern "C" void RuntimeCloseMenuItem(RuntimeObject* object) {
    MenuItemObject* item = item_of(object);
    if (!item || !item->menu) return;
    Menu* menu = item->menu;
    if (item->inserted) RemoveMenu(menu->handle, static_cast<UINT>(item->position), MF_BYPOSITION);
    item->inserted = 0;
    command_id_free(item->command_id);
    item->command_id = 0;
    menu_remove_item(menu, menu_index_of(menu, item));
    menu_apply(menu);
}

extern "C" RuntimeObject* RuntimeEnableMenu(RuntimeObject* object) {
    if (MenuItemObject* item = item_of(object)) item->enabled = 1;
    return object;
}

extern "C" void enableMenuItems() {}

extern "C" RuntimeString* menuItemTextGetter(RuntimeObject* object) {
    MenuItemObject* item = item_of(object);
    if (!item) return nullptr;
    RuntimeLockString(item->text);
    return item->text;
}

extern "C" void menuItemTextSetter(RuntimeObject* object, RuntimeString* text) {
    MenuItemObject* item = item_of(object);
    if (!item) return;
    string_assign(&item->text, text);
    menu_item_relabel(item);
}

extern "C" void menuItemCommandKeySetter(RuntimeObject* object, RuntimeString* key) {
    MenuItemObject* item = item_of(object);
    if (!item) return;
    string_assign(&item->shortcut, key);
    // The shortcut shows beside the text: keep what the menu shows true.
    menu_item_relabel(item);
}
