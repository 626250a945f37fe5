// The menu entry points of the export table.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
// The item of that name (letter case ignored) outside any array, searching
// the menus in order; a new reference, nil when none.
RuntimeObject* RuntimeMenuReference(RuntimeString* name);
// The same for the array member with that index.
RuntimeObject* RuntimeMenuArrayReference(RuntimeString* name, std::int32_t index);
// A new item of the same class right after the last item of that name, with
// the smallest array index that no item of the name uses; a new reference,
// nil when no item has the name.
RuntimeObject* RuntimeCloneMenu(RuntimeString* name);
// Takes the item out of its menu, frees its command id and re-applies.
void RuntimeCloseMenuItem(RuntimeObject* item);
// Sets the enabled byte; the EnableMenuItems pass shows it. Returns the item
// (borrowed).
RuntimeObject* RuntimeEnableMenu(RuntimeObject* item);
void enableMenuItems();
RuntimeString* menuItemTextGetter(RuntimeObject* item);  // a new reference
void menuItemTextSetter(RuntimeObject* item, RuntimeString* text);
void menuItemCommandKeySetter(RuntimeObject* item, RuntimeString* key);
}
