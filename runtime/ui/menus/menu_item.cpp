// The item helpers and the finding of items.
#include "menus/menu_item.h"

#include <cstring>

#include "menus/menu_bar.h"
#include "menus/menu_lookup.h"
#include "menus/menu_participation.h"
#include "menus/shortcut_text.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "strings/runtime_string.h"

namespace {

bool same_text(const char* a, const char* b) {
    return name_compare(a, std::strlen(a), b, std::strlen(b)) == 0;
}

}  // namespace

bool menu_item_is_separator(const MenuItemObject* item) {
    return string_length(item->text) == 1 && string_cstr(item->text)[0] == '-';
}

bool menu_item_in_array(const MenuItemObject* item) { return item->index != kNotInArray; }

bool is_menu_item(const RuntimeObject* object) { return object_isa(object, builtin_class(BuiltinClass::MenuItem)); }

MenuItemObject* menu_item_find(const RuntimeString* name, std::int32_t index) {
    if (!name) return nullptr;
    for (Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i)
            if (m->items[i]->index == index && names_equal(m->items[i]->name, name)) return m->items[i];
    return nullptr;
}

MenuItemObject* menu_item_with_shortcut(const char* key_text, bool enabled_only) {
    char text[kShortcutTextCapacity];
    for (Menu* m = menus_first(); m; m = m->next) {
        for (std::uint32_t i = 0; i < m->count; ++i) {
            MenuItemObject* item = m->items[i];
            if (menu_item_is_separator(item)) continue;
            if (enabled_only && (!item->enabled || !item->command_id || !item->inserted)) continue;
            if (shortcut_text(string_cstr(item->shortcut), string_length(item->shortcut), text) && same_text(text, key_text))
                return item;
        }
    }
    return nullptr;
}

bool menu_item_named(const MenuItemObject* item, const char* name) {
    return item && same_text(string_cstr(item->name), name);
}

void menu_items_enable_named(const char* name) {
    for (Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i)
            if (menu_item_named(m->items[i], name)) m->items[i]->enabled = 1;
}
