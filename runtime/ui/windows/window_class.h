// The built-in Window class: its property table, events, constructor and
// destructor, installed at start-up.
#pragma once

void window_class_describe();
