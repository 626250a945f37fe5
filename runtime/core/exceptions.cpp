#include "exceptions.h"

#include "export_trap.h"

extern "C" void RuntimeRaiseException(RuntimeObject*) { export_trap("RuntimeRaiseException"); }
