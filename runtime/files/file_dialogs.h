// The open and save dialogs, and the filter list they are given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "objects/objects.h"
#include "strings/runtime_string.h"

// The filter list for a ";"-separated list of file type names: per name
// the name, NUL, its pattern, NUL; then two NULs. The default extension is
// the last one found at the head of a pattern, without its ".", or nil.
struct DialogFilter {
    char* list;
    std::size_t length;    // bytes used, the closing NULs included
    std::size_t capacity;  // for runtime_free
    RuntimeString* default_extension;
};
DialogFilter dialog_filter_build(RuntimeString* filter);
void dialog_filter_release(DialogFilter* filter);
