// Raising runtime exceptions. Compiled code leaves records after its calls
// and functions; the unwinder follows the frame-pointer chain, releases what
// abandoned frames hold and enters the first matching handler. An exception
// no handler takes ends the program: silently for EndException, otherwise
// with the application's message text 4.
#pragma once

#include <cstdint>

struct RuntimeObject;

// Raises an exception whose creating reference the caller hands over (the
// runtime's own raises, which have no call-site record to release it).
[[noreturn]] void raise_owned(RuntimeObject* exception);

// RuntimeStackCheck raises once the stack reaches below this address; 0
// (before start-up sets it) never raises. While a raise releases what its
// walk passes, a reserve below the limit is allowed; beyond it the program
// ends with the unhandled-exception message.
void stack_limit_set(std::uintptr_t limit);

extern "C" {
// The caller keeps its reference; the unwinder takes its own.
[[noreturn]] void RuntimeRaiseException(RuntimeObject* exception);
[[noreturn]] void RuntimeReraiseException(RuntimeObject* exception);
void RuntimeStackCheck();
}
