// The prelude: the runtime's classes, events, properties, methods and
// global functions, read from data (prelude.tav, built into the compiler).
#pragma once

#include <string>

#include "ast.h"

namespace tavoc {

extern const char* const kPreludeText;

// Adds the prelude's classes and functions to `program`; entry points that
// the runtime does not export are errors.
void load_prelude(const std::string& text, Program& program, Diagnostics& diags);

}  // namespace tavoc
