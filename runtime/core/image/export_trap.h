// Entry points whose owning area is not built yet are bound to traps: a
// call ends the program with a message naming the entry point.
#pragma once

[[noreturn]] void export_trap(const char* name);

// Exit code of a program ended by a trap.
constexpr unsigned kTrapExitCode = 3;
