// The runtime's message texts, given by the application's settings. Until
// the settings are read every text is empty.
#pragma once

#include "strings/runtime_string.h"

// Takes ownership of `texts` (an array of `count` strings from runtime_alloc);
// the texts installed before are released.
void message_texts_install(RuntimeString** texts, int count);
// A new reference to text `index`, or nil when there is no such text.
RuntimeString* message_text(int index);
