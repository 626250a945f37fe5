// A list bound to a data provider (an object implementing listDataProvider)
// shows the provider's rows: as many as "GetCount" says, their texts
// fetched when asked for through "GetRow", "FieldCount" and "getIndString"
// (rows and fields counted from 1 on the provider's side).
#pragma once

#include <cstdint>

struct ListboxObject;
struct RuntimeObject;
struct RuntimeString;

// Empties the list, lets go of the provider it had and takes `provider`
// (nil unbinds), registering the list with it and making its rows.
void list_attach_provider(ListboxObject* list, RuntimeObject* provider);
// The text of field column + 1 of the provider's row row + 1; nil past its fields.
RuntimeString* list_provider_text(ListboxObject* list, std::int32_t row, std::int32_t column);
// The pane closes or the list goes away: receivers and provider are let go.
void list_release_bindings(ListboxObject* list);

// A list is a provider too: the lists shown from its rows hear of its
// changes (rows counted from 1). A changed text reloads them.
void list_tell_row_inserted(ListboxObject* list, std::int32_t index);
void list_tell_row_removed(ListboxObject* list, std::int32_t index);
void list_tell_reload(ListboxObject* list);

// The interfaces a list answers for bindings, and its row tuples.
void list_binding_describe();
