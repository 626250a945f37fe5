#include "controls/edit_field/edit_menu.h"

#include <richedit.h>

#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/edit_field_events.h"
#include "menus/menu_participation.h"
#include "windows/window_events.h"

namespace {

enum class EditItem { None, Undo, Cut, Copy, Paste, Clear };

struct ItemName {
    const char* name;
    EditItem item;
};
const ItemName kItems[] = {
    {"EditUndo", EditItem::Undo}, {"EditCut", EditItem::Cut},     {"EditCopy", EditItem::Copy},
    {"EditPaste", EditItem::Paste}, {"EditClear", EditItem::Clear},
};

EditItem which(const MenuItemObject* item) {
    for (const ItemName& n : kItems)
        if (menu_item_named(item, n.name)) return n.item;
    return EditItem::None;
}

// The conditions under which the field performs an item: copying and
// cutting never hand out a masked text, nothing changes a read-only one.
bool can(RichEditPane* pane, EditItem item) {
    const bool selected = pane->has_selection(), writable = !pane->read_only(), clear = !pane->masking();
    switch (item) {
        case EditItem::Undo: return writable && pane->can_undo();
        case EditItem::Cut: return selected && writable && clear;
        case EditItem::Copy: return selected && clear;
        case EditItem::Paste: return writable && IsClipboardFormatAvailable(CF_TEXT);
        case EditItem::Clear: return selected && writable;
        default: return false;
    }
}

void perform(RichEditPane* pane, EditItem item) {
    switch (item) {
        case EditItem::Undo: pane->undo(); break;
        case EditItem::Cut: pane->cut(); break;
        case EditItem::Copy: pane->copy(); break;
        case EditItem::Paste: pane->paste(); break;
        case EditItem::Clear: pane->clear(); break;
        default: break;
    }
}

}  // namespace

void edit_menu_enable_items(RichEditPane* pane) {
    if (!pane) return;
    for (const ItemName& n : kItems)
        if (can(pane, n.item)) menu_items_enable_named(n.name);
}

bool edit_menu_perform(RichEditPane* pane, MenuItemObject* item) {
    const EditItem edit = which(item);
    if (edit == EditItem::None || !pane || !can(pane, edit)) return false;
    perform(pane, edit);
    return true;
}

void edit_menu_enable(EditFieldObject* field) {
    if (RichEditPane* pane = edit_field_pane(field)) edit_menu_enable_items(pane);
    fire_event(&field->control.header, g_edit_field_events.enable_menu_items);
}

bool edit_menu_command(EditFieldObject* field, MenuItemObject* item) {
    if (menu_handlers_offer(&field->control.header, item)) return true;
    return edit_menu_perform(edit_field_pane(field), item);
}
