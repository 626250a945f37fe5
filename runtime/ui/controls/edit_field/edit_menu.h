// The edit menu items a focused EditField serves: EditUndo, EditCut,
// EditCopy, EditPaste and EditClear.
#pragma once

struct EditFieldObject;
struct MenuItemObject;

// Enables the items the field can perform now, then raises the field's
// EnableMenuItems.
void edit_menu_enable(EditFieldObject* field);
// A chosen item: a menu handler of the field's own class first, else the
// field performs the item when it can; true when handled.
bool edit_menu_command(EditFieldObject* field, MenuItemObject* item);
