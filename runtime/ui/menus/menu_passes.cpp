#include "menus/menu_passes.h"

#include "menus/command_ids.h"
#include "menus/menu_bar.h"
#include "menus/menu_classes.h"
#include "menus/menu_item.h"
#include "menus/menu_lookup.h"
#include "menus/menu_native.h"
#include "menus/menu_participation.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "panes/pane.h"
#include "panes/pane_focus.h"
#include "startup/application.h"
#include "windows/window_events.h"
#include "windows/window_operations.h"

namespace {

// Handlers may close items: every step reads the arrays afresh.
void fire_enable_menu_everywhere() {
    for (Menu* m = menus_first(); m; m = m->next) {
        for (std::uint32_t i = 0; i < m->count; ++i) {
            RuntimeObject* item = RuntimeLockObject(as_object(m->items[i]));
            fire_event(item, g_menu_item_events.enable_menu);
            RuntimeUnlockObject(item);
        }
    }
}

bool g_enabling = false;

}  // namespace

bool menu_handlers_offer(RuntimeObject* target, MenuItemObject* item) {
    if (!target || !item) return false;
    for (MenuHandler* h = target->cls->menu_handlers; h; h = h->next) {
        if (!names_equal(h->item_name, item->name)) continue;
        // Compiled handlers: C calling convention, the Boolean in AL.
        const bool handled = menu_item_in_array(item)
                                 ? reinterpret_cast<bool (*)(RuntimeObject*, std::int32_t)>(h->code)(target, item->index)
                                 : reinterpret_cast<bool (*)(RuntimeObject*)>(h->code)(target);
        if (handled) return true;
    }
    return false;
}

void menus_enable_pass() {
    if (!menu_bar_handle() || g_enabling) return;
    g_enabling = true;
    for (Menu* m = menus_first(); m; m = m->next)
        for (std::uint32_t i = 0; i < m->count; ++i) m->items[i]->enabled = 0;
    fire_enable_menu_everywhere();
    if (Pane* focus = focus_pane()) focus->enable_menu_items();
    if (RuntimeObject* front = getWindow(0)) {
        fire_event(front, g_window_events.enable_menu_items);
        RuntimeUnlockObject(front);
    }
    application_fire(g_application_events.enable_menu_items);
    menus_apply_all();
    g_enabling = false;
}

bool menus_perform(std::int32_t command_id) {
    MenuItemObject* found = command_id_item(command_id);
    if (!found || menu_item_is_separator(found)) return false;
    RuntimeObject* item = RuntimeLockObject(as_object(found));
    bool handled = false;
    if (Pane* focus = focus_pane()) handled = focus->menu_command(found);
    if (!handled) {
        if (RuntimeObject* front = getWindow(0)) {
            handled = menu_handlers_offer(front, found);
            RuntimeUnlockObject(front);
        }
    }
    if (!handled) {
        RuntimeObject* application = RuntimeLockObject(application_object());
        handled = menu_handlers_offer(application, found);
        RuntimeUnlockObject(application);
    }
    if (!handled) handled = fire_boolean_event(item, g_menu_item_events.action);
    RuntimeUnlockObject(item);
    return handled;
}

bool menus_shortcut(NativeView*, const char* key_text) {
    if (!menu_bar_handle() || !menu_item_with_shortcut(key_text, false)) return false;
    menus_enable_pass();
    if (MenuItemObject* item = menu_item_with_shortcut(key_text, true)) menus_perform(item->command_id);
    return true;
}
