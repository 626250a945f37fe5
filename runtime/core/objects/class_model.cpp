// Completing the class model: interface method numbers and the per-class
// interface method tables that FindInterfaceVTableCode reads.
#include "objects/classes.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"

namespace {

// Raised each time the model is completed; a class whose tables carry an
// older value gets them rebuilt.
std::uint32_t g_generation = 0;

void number_interface_methods() {
    for (RuntimeClass* cls = class_list_first(); cls; cls = cls->next_class) {
        if (!cls->is_interface) continue;
        std::uint32_t number = 1;
        for (ClassMethod* method = cls->methods; method; method = method->next) method->number = number++;
    }
}

const ClassMethod* find_method(const RuntimeClass* cls, const RuntimeString* name) {
    for (; cls; cls = cls->superclass) {
        for (const ClassMethod* method = cls->methods; method; method = method->next) {
            if (names_equal(method->name, name)) return method;
        }
    }
    return nullptr;
}

bool build_interface_table(const RuntimeClass* cls, ClassInterface* entry) {
    std::uint32_t slots = 1;
    for (const ClassMethod* m = entry->interface_class->methods; m; m = m->next) ++slots;
    auto** table = static_cast<void**>(runtime_alloc(slots * sizeof(void*)));
    std::uint32_t slot = 1;
    for (const ClassMethod* m = entry->interface_class->methods; m; m = m->next, ++slot) {
        const ClassMethod* implementation = find_method(cls, m->name);
        if (!implementation) {
            runtime_free(table, slots * sizeof(void*));
            runtime_failure_report(131, 2, "objects", 2307);
            return false;
        }
        table[slot] = implementation->code;
    }
    runtime_free(entry->methods, entry->method_count * sizeof(void*));
    entry->methods = table;
    entry->method_count = slots;
    return true;
}

// The class, then each superclass whose tables are older than the model.
bool complete_class(RuntimeClass* cls) {
    for (; cls && !cls->is_interface && cls->interface_generation < g_generation; cls = cls->superclass) {
        for (ClassInterface* entry = cls->interfaces; entry; entry = entry->next) {
            // An interface whose class was not found has no methods to bind.
            if (entry->interface_class && !build_interface_table(cls, entry)) return false;
        }
        cls->interface_generation = g_generation;
    }
    return true;
}

}  // namespace

bool class_model_complete() {
    number_interface_methods();
    ++g_generation;
    for (RuntimeClass* cls = class_list_first(); cls; cls = cls->next_class) {
        if (!complete_class(cls)) {
            runtime_failure_report(131, 4, "objects", 5709);
            return false;
        }
    }
    return true;
}
