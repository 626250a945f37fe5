// The built-in Listbox class: its property table, events, constructor,
// destructor and the CreatePane hook that gives a placed list its pane.
#pragma once

void list_box_class_describe();
