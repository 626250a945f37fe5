#include "menus/menu_classes.h"

#include "descriptions/property_tables.h"
#include "descriptions/type_records.h"
#include "menus/command_ids.h"
#include "menus/menu_entry_points.h"
#include "menus/menu_item.h"
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "startup/main_loop.h"
#include "startup/ui_services.h"
#include "strings/runtime_string.h"
#include "windows/window_events.h"

MenuItemEvents g_menu_item_events;

namespace {

const EventTableRow kMenuItemRows[] = {
    {0, "Action", "", "Boolean", 0, &g_menu_item_events.action},
    {0, "EnableMenu", "", "", 0, &g_menu_item_events.enable_menu},
};

const EventTableRow kQuitRows[] = {
    {0, "Action", "", "Boolean", 0, &g_menu_item_events.quit_action},
};

constexpr BuiltinClass kValue = BuiltinClass::Count;  // not an object property

const PropertyRow kPropertyRows[] = {
    {0, "Text", &kStringType, kValue, as_getter(menuItemTextGetter), as_setter(menuItemTextSetter), 0},
};

template <std::size_t N>
void describe(BuiltinClass which, const EventTableRow (&rows)[N]) {
    RuntimeClass* cls = builtin_class(which);
    for (const EventTableRow& row : rows)
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
}

void construct(RuntimeObject* object, RuntimeClass*) {
    MenuItemObject* item = as_menu_item(object);
    item->index = kNotInArray;
    item->enabled = item->shown_enabled = 1;
    item->visible = 1;
}

void destruct(RuntimeObject* object, RuntimeClass*) {
    MenuItemObject* item = as_menu_item(object);
    command_id_free(item->command_id);
    item->command_id = 0;
    RuntimeString** strings[] = {&item->name, &item->text, &item->kept[0], &item->kept[1], &item->shortcut};
    for (RuntimeString** s : strings) {
        RuntimeUnlockString(*s);
        *s = nullptr;
    }
}

// Quit is always there to be chosen.
void quit_enable_menu(RuntimeObject* item) { as_menu_item(item)->enabled = 1; }

// The application's own Action first; otherwise every window is asked to
// close, and when none refuses, the main loop ends after this pass.
bool quit_action(RuntimeObject* item) {
    if (fire_boolean_event(item, g_menu_item_events.quit_action)) return true;
    if (!ui_services().any_window_cancels_close()) main_loop_quit();
    return true;
}

bool g_described = false;

}  // namespace

void menu_classes_describe() {
    if (g_described) return;
    g_described = true;
    describe(BuiltinClass::MenuItem, kMenuItemRows);
    describe(BuiltinClass::QuitMenuItem, kQuitRows);
    RuntimeClass* cls = builtin_class(BuiltinClass::MenuItem);
    cls->constructor = construct;
    cls->destructor = destruct;
    property_table_install(BuiltinClass::MenuItem, kPropertyRows);
    RuntimeClass* quit = builtin_class(BuiltinClass::QuitMenuItem);
    class_add_handler(quit, string_from_cstr("EnableMenu"), 0, reinterpret_cast<void*>(quit_enable_menu));
    class_add_handler(quit, string_from_cstr("Action"), 0, reinterpret_cast<void*>(quit_action));
}
