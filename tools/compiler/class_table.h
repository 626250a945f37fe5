// Class indexes: the application's classes are numbered first (each after
// its superclass); built-in and plugin classes get the next index the
// first time anything names them, so the table holds only classes in use.
#pragma once

#include <vector>

#include "ast.h"

namespace tavoc {

class ClassTable {
public:
    explicit ClassTable(Program& program);
    int index(ClassInfo* cls);
    const std::vector<ClassInfo*>& classes() const { return classes_; }

private:
    void add_application_class(ClassInfo* cls);
    std::vector<ClassInfo*> classes_;
};

}  // namespace tavoc
