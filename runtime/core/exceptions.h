// Raising runtime exceptions. The unwinder behind RuntimeRaiseException
// walks the frames of compiled code; until it exists, raising ends the
// program with a message naming the entry point.
#pragma once

struct RuntimeObject;

extern "C" {
[[noreturn]] void RuntimeRaiseException(RuntimeObject* exception);
}
