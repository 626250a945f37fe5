// Reads the tokens of one source file into the program: declarations of
// the project, modules, classes, windows, menus and the bodies of their
// functions. Names are not resolved here; that is the checker's work.
#pragma once

#include <vector>

#include "ast.h"
#include "lexer.h"

namespace tavoc {

void parse_file(const std::vector<Token>& tokens, Program& program, Diagnostics& diags);

}  // namespace tavoc
