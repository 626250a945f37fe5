// The property and method lists of FolderItem and the stream classes, as
// plugin imports and property lookups by name find them, and their
// destructors.
#pragma once

// Fills the lists once; later calls do nothing. Call after the built-in
// classes exist and before plugin imports are bound.
void file_classes_describe();
