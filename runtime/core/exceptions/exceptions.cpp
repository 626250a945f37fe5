#include "exceptions/exceptions.h"

#include <windows.h>

#include <initializer_list>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "exceptions/failure_report.h"
#include "objects/final_release.h"
#include "strings/message_texts.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"
#include "strings/string_functions.h"
#include "exceptions/unwinder.h"

namespace {

bool is_a(RuntimeObject* exception, int class_index) { return object_isa(exception, class_table_at(class_index)); }
void release_string(void* string) { RuntimeUnlockString(static_cast<RuntimeString*>(string)); }
void release_object(void* object) { RuntimeUnlockObject(static_cast<RuntimeObject*>(object)); }
void bad_action() { runtime_failure_report(131, 4, "win32exception", 105); }
void entering(std::uintptr_t frame) { objects_unwound_to(reinterpret_cast<const void*>(frame)); }

const UnwindServices kServices = {&is_a, &release_string, &release_object, &bad_action, &entering};

std::uintptr_t g_stack_limit = 0;

RuntimeString* class_name_of(const RuntimeObject* object) {
    for (const RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        if (cls->name) {
            RuntimeLockString(cls->name);
            return cls->name;
        }
    }
    return nullptr;
}

[[noreturn]] void end_program(RuntimeObject* exception) {
    if (!object_isa(exception, builtin_class(BuiltinClass::EndException))) {
        RuntimeString* text = message_text(4);
        RuntimeString* placeholder = string_from_cstr("%1");
        RuntimeString* name = class_name_of(exception);
        RuntimeString* shown = StringReplaceAll(text, placeholder, name);
        RuntimeMsgBox(shown);
        for (RuntimeString* s : {text, placeholder, name, shown}) RuntimeUnlockString(s);
    }
    final_release_run();
    ExitProcess(0);
}

[[noreturn]] __attribute__((always_inline)) inline void raise_from(RuntimeObject* exception, void* frame) {
    unwind(exception, reinterpret_cast<std::uintptr_t>(frame), kServices);
    end_program(exception);
}

RuntimeObject* new_exception(BuiltinClass which) { return object_new(builtin_class(which)); }

}  // namespace

void raise_owned(RuntimeObject* exception) { raise_from(exception, __builtin_frame_address(0)); }

void stack_limit_set(std::uintptr_t limit) { g_stack_limit = limit; }

extern "C" void RuntimeRaiseException(RuntimeObject* exception) {
    // Raising nil would leave handlers nothing to test: it is a nil use.
    if (!exception) raise_owned(new_exception(BuiltinClass::NilObjectException));
    RuntimeLockObject(exception);
    raise_from(exception, __builtin_frame_address(0));
}

extern "C" void RuntimeReraiseException(RuntimeObject* exception) {
    if (!exception) raise_owned(new_exception(BuiltinClass::NilObjectException));
    RuntimeLockObject(exception);
    raise_from(exception, __builtin_frame_address(0));
}

extern "C" void RuntimeStackCheck() {
    if (reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < g_stack_limit) {
        raise_owned(new_exception(BuiltinClass::StackOverflowException));
    }
}
