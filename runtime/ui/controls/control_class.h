// The built-in Control and RectControl classes: property tables,
// constructor and destructor, installed at start-up.
#pragma once

void control_classes_describe();
