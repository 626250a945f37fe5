// The plugin member lookup the linker binds the image's plugin references
// through, once the plugins are installed.
#pragma once

struct RuntimeString;

// The address a reference ("MSelectFolder as FolderItem") binds to, or null
// when no plugin member matches. An unknown kind or class is a failure report.
void* plugin_member_address(RuntimeString* reference);
