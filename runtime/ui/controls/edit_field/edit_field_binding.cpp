#include "controls/edit_field/edit_field_binding.h"

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "panes/binding_interfaces.h"
#include "strings/runtime_string.h"

namespace {

RuntimeString* text_of(RuntimeObject* field) { return editTextGetter(field, 0); }

bool has_text(RuntimeObject* field) {
    RuntimeString* text = editTextGetter(field, 0);
    const bool some = text && string_length(text) > 0;
    RuntimeUnlockString(text);
    return some;
}

void add_receiver(RuntimeObject* field, RuntimeObject* receiver) {
    if (EditFieldObject* f = edit_field_of(field)) receivers_add(f->data_receivers, receiver);
}

void remove_receiver(RuntimeObject* field, RuntimeObject* receiver) {
    if (EditFieldObject* f = edit_field_of(field)) receivers_remove(f->data_receivers, receiver);
}

}  // namespace

void edit_field_binding_describe() {
    using B = BuiltinClass;
    builtin_implements(B::EditField, "StringProvider", text_of);
    builtin_implements(B::EditField, "StringInterface", text_of, editSetString);
    builtin_implements(B::EditField, "DataAvailableProvider", has_text);
    builtin_implements(B::EditField, "dataNotifier", add_receiver, remove_receiver);
}

void edit_field_notify_data(EditFieldObject* field) { receivers_notify_data(field->data_receivers); }

void edit_field_release_receivers(EditFieldObject* field) { receivers_clear(field->data_receivers); }
