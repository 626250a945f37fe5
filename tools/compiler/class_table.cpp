#include "class_table.h"

namespace tavoc {

ClassTable::ClassTable(Program& program) {
    for (auto& c : program.classes)
        if (!c->builtin && !c->is_module) add_application_class(c.get());
}

void ClassTable::add_application_class(ClassInfo* cls) {
    if (cls->class_index >= 0) return;
    if (cls->super && !cls->super->builtin) add_application_class(cls->super);
    for (ClassInfo* i : cls->interfaces) add_application_class(i);  // the runtime reads them first
    cls->class_index = static_cast<int>(classes_.size());
    classes_.push_back(cls);
}

int ClassTable::index(ClassInfo* cls) {
    if (cls->class_index < 0) {
        cls->class_index = static_cast<int>(classes_.size());
        classes_.push_back(cls);
    }
    return cls->class_index;
}

}  // namespace tavoc
