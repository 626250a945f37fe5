// What bindings see of an EditField: its text as a string provider and
// receiver, "DataAvailable" while the text is not empty, and data receivers
// told after every TextChange.
#pragma once

struct EditFieldObject;

void edit_field_binding_describe();
void edit_field_notify_data(EditFieldObject* field);
void edit_field_release_receivers(EditFieldObject* field);
