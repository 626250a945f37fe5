// The unwinder for compiled application code. Compiled functions keep the
// frame-pointer chain and leave records in their code: after each call that
// may raise (EB n 2F actions... 00) and after their final leave/ret
// (C9 C3 2F entries... 00). The unwinder follows the chain from a starting
// frame, releases what abandoned frames hold and enters the first handler
// whose class matches.
#pragma once

#include <cstdint>

struct RuntimeObject;

// Hooks into the object model, so that the walk itself can be tested with
// any class test.
struct UnwindServices {
    bool (*is_a)(RuntimeObject* exception, int class_index);
    void (*release_string)(void* string);
    void (*release_object)(void* object);
    void (*bad_action)();  // a call-site action the walk does not know
    void (*entering)(std::uintptr_t frame);  // a handler of `frame` is about to run
};

// Walks from frame `frame` (a frame pointer). Enters a handler and never
// returns when one matches; returns when the walk ends without one. The
// caller has already taken the reference that a handler's frame receives.
void unwind(RuntimeObject* exception, std::uintptr_t frame, const UnwindServices& services);
