// Resolves every name and type of the program, lays out classes (instance
// sizes, fields after the superclass's instance, virtual method tables),
// checks handlers against the events they handle, and annotates each
// expression with its type, inserting the implicit conversions.
#pragma once

#include "ast.h"

namespace tavoc {

void check_program(Program& program, Diagnostics& diags);

bool is_subclass(const ClassInfo* cls, const ClassInfo* base);
bool implements(const ClassInfo* cls, const ClassInfo* interface);  // the class or a superclass does
std::string type_name(const Type& type);
// The event a handler of `cls` named `name` handles, searching the superclasses.
const EventDef* find_event(const ClassInfo* cls, const std::string& name);

}  // namespace tavoc
