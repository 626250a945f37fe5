// Turns the checked program into x86-32 code. The contract with the
// runtime (see docs/language.md, "Code generation"):
//   - C calling convention: arguments pushed right to left, the caller
//     pops; results in EAX, Single and Double results in ST0; Boolean
//     results of any call are taken from AL.
//   - Every function: push ebp; mov ebp, esp; sub esp, frame; all locals
//     zeroed; RuntimeStackCheck; body; handlers; one epilogue that releases
//     the reference locals and ends with leave; ret, followed at once by
//     the trailer (handler entries, then string and object locals).
//   - Functions with catch clauses keep the exception object at EBP-4.
//   - Every call that may raise is followed by a call-site record listing
//     the owned strings and objects on the stack above the callee's frame
//     (action 1 or 2), plus action 7 inside catch clauses.
#pragma once

#include <string>
#include <vector>

#include "ast.h"
#include "class_table.h"
#include "data_block.h"
#include "x86.h"

namespace tavoc {

struct FunctionSpan {
    std::string symbol;
    std::size_t start;
    std::size_t trailer;  // offset of the trailer mark, just after leave; ret
    std::size_t end;
};

struct EntryPlan {
    std::uint32_t plugin_list = 0;          // data offset of the first entry
    bool has_plugins = false;
    WindowDecl* default_window = nullptr;
};

struct CodeOutput {
    Assembler code;
    std::vector<FunctionSpan> spans;         // by function number
    std::vector<const Function*> functions;  // function number -> function (null: the entry point)
    int entry_function = -1;
    std::size_t project_description_field = 0;  // the entry's data address of the project description, patched later
    int number_of(const Function* f) const;
};

// Lays out every function's frame and emits all functions, then the entry point.
void generate_code(Program& program, DataBlock& data, ClassTable& classes, const EntryPlan& entry,
                   CodeOutput& out, Diagnostics& diags);

}  // namespace tavoc
