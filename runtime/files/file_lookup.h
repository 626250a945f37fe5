// Asking the file system about one path, at the moment of asking.
#pragma once

#include <windows.h>

#include "strings/string_text.h"

// ANSI file functions take at most this much; longer paths name nothing.
constexpr std::size_t kPathBufferSize = 1024;
// Copies path into buffer with its zero; false when it does not fit.
bool path_to_buffer(Text path, char (&buffer)[kPathBufferSize]);
// FindFirstFileA on the path as it is (no wildcard added); false when the
// item does not exist.
bool path_lookup(Text path, WIN32_FIND_DATAA* found);
// A bare drive ("C:") without a lookup, else an existing directory.
bool path_is_directory(Text path);
