// The edit menu items a focused EditField serves: EditUndo, EditCut,
// EditCopy, EditPaste and EditClear.
#pragma once

class RichEditPane;
struct EditFieldObject;
struct MenuItemObject;

// Any rich-edit pane with the focus, a field's or a list cell's editor:
// enables the items it can perform now; performs a chosen one when it can
// (true when done).
void edit_menu_enable_items(RichEditPane* pane);
bool edit_menu_perform(RichEditPane* pane, MenuItemObject* item);

// Enables the items the field can perform now, then raises the field's
// EnableMenuItems.
void edit_menu_enable(EditFieldObject* field);
// A chosen item: a menu handler of the field's own class first, else the
// field performs the item when it can; true when handled.
bool edit_menu_command(EditFieldObject* field, MenuItemObject* item);
