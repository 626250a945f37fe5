// The table itself. This file sees the bound entry points only by name (no
// runtime or Win32 headers), so their real signatures cannot clash here.
#include "image/export_table.h"

#include "image/export_trap.h"

namespace {
using Entry = void (*)();
}

#define EXPORT(name)                   \
    extern "C" void name();            \
    namespace {                        \
    constexpr Entry entry_of_##name = &name; \
    }
#define TRAP(name)                                            \
    namespace {                                               \
    void trap_##name() { export_trap(#name); }                \
    constexpr Entry entry_of_##name = &trap_##name;           \
    }
#define AGAIN(name)
#include "image/export_names.inc"
#undef EXPORT
#undef TRAP
#undef AGAIN

#define SLOT(name) {#name, reinterpret_cast<void*>(entry_of_##name), {0, 0}},
#define EXPORT(name) SLOT(name)
#define TRAP(name) SLOT(name)
#define AGAIN(name) SLOT(name)
// Slots past the named ones stay empty (all zero).
const ExportSlot g_export_table[kExportSlotCount] = {
#include "image/export_names.inc"
};
#undef EXPORT
#undef TRAP
#undef AGAIN
#undef SLOT
