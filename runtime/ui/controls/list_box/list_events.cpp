#include "controls/list_box/list_events.h"

#include "controls/list_box/list_box_object.h"
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "objects/code_lookup.h"
#include "strings/runtime_string.h"

ListboxEvents g_listbox_events;

namespace {

const EventTableRow kListboxRows[] = {
    {0, "Change", "", "", 701, &g_listbox_events.change},
    {0, "DoubleClick", "", "", 1001, &g_listbox_events.double_click},
    {0, "KeyDown", "Key As String", "Boolean", 401, &g_listbox_events.key_down},
    {0, "EnableMenuItems", "", "", 0, &g_listbox_events.enable_menu_items},
    {0, "ExpandRow", "Row As Integer", "", 0, &g_listbox_events.expand_row},
    {0, "CollapseRow", "Row As Integer", "", 0, &g_listbox_events.collapse_row},
    {0, "DragRow", "drag As DragItem, row As Integer", "Boolean", 0, &g_listbox_events.drag_row},
    {0, "SortColumn", "column As Integer", "Boolean", 0, &g_listbox_events.sort_column},
    {0, "CellAction", "Row As Integer, Column As Integer", "", 0, &g_listbox_events.cell_action},
    {0, "GotFocus", "", "", 1004, &g_listbox_events.got_focus},
    {0, "LostFocus", "", "", 1005, &g_listbox_events.lost_focus},
};

// Handlers are compiled code: C calling convention, Booleans in AL.
template <typename Code>
Code handler(ListboxObject* list, EventDefinition* event) {
    return reinterpret_cast<Code>(event_lookup(list_object(list), event));
}

}  // namespace

void list_events_describe() {
    RuntimeClass* cls = builtin_class(BuiltinClass::Listbox);
    for (const EventTableRow& row : kListboxRows)
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
}

void list_raise(ListboxObject* list, EventDefinition* event) {
    if (auto code = handler<void (*)(RuntimeObject*)>(list, event)) code(list_object(list));
}

void list_raise_row(ListboxObject* list, EventDefinition* event, std::int32_t row) {
    if (auto code = handler<void (*)(RuntimeObject*, std::int32_t)>(list, event)) code(list_object(list), row);
}

void list_raise_cell_action(ListboxObject* list, std::int32_t row, std::int32_t column) {
    if (auto code = handler<void (*)(RuntimeObject*, std::int32_t, std::int32_t)>(list, g_listbox_events.cell_action))
        code(list_object(list), row, column);
}

bool list_raise_sort_column(ListboxObject* list, std::int32_t column) {
    auto code = handler<bool (*)(RuntimeObject*, std::int32_t)>(list, g_listbox_events.sort_column);
    return code && code(list_object(list), column);
}

bool list_raise_key_down(ListboxObject* list, char character) {
    auto code = handler<bool (*)(RuntimeObject*, RuntimeString*)>(list, g_listbox_events.key_down);
    if (!code) return false;
    RuntimeString* key = string_from_bytes(&character, 1);
    const bool taken = code(list_object(list), key);
    RuntimeUnlockString(key);
    return taken;
}

bool list_raise_drag_row(ListboxObject* list, RuntimeObject* drag, std::int32_t row) {
    auto code = handler<bool (*)(RuntimeObject*, RuntimeObject*, std::int32_t)>(list, g_listbox_events.drag_row);
    return code && code(list_object(list), drag, row);
}
