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

// A raise whose walk is under way, kept in the raising frame. A destructor
// that raises while a walk releases starts another walk above it.
struct RaiseInProgress {
    RuntimeObject* exception;  // the walk's own reference
    RaiseInProgress* outer;
};
RaiseInProgress* g_raising = nullptr;  // the innermost

void entering(std::uintptr_t frame) {
    objects_unwound_to(reinterpret_cast<const void*>(frame));
    // The handler's frame receives the reference of the walk that found it.
    if (g_raising) g_raising = g_raising->outer;
    // Walks interrupted below the handler's frame are over: their exceptions go.
    while (g_raising && reinterpret_cast<std::uintptr_t>(g_raising) < frame) {
        RuntimeObject* abandoned = g_raising->exception;
        g_raising = g_raising->outer;
        RuntimeUnlockObject(abandoned);
    }
}

const UnwindServices kServices = {&is_a, &release_string, &release_object, &bad_action, &entering};

std::uintptr_t g_stack_limit = 0;
// Below the limit, room for releasing what a stack overflow's walk passes:
// the compiled destructors it runs check the stack too. The walk itself and
// a destructor's frame take well under 4 KB each; 64 KB leaves room for a
// chain of destructors, and the thread's stack still has several times that
// below it for the message box when even the reserve runs out.
constexpr std::uintptr_t kStackReserve = 64 * 1024;

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
    RaiseInProgress raise = {exception, g_raising};
    g_raising = &raise;
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
    std::uintptr_t here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    if (here >= g_stack_limit) return;
    if (!g_raising) raise_owned(new_exception(BuiltinClass::StackOverflowException));
    // A walk is releasing: it may use the reserve. Once that is spent too,
    // nothing can be unwound safely any more.
    if (here >= g_stack_limit - kStackReserve) return;
    end_program(new_exception(BuiltinClass::StackOverflowException));
}
