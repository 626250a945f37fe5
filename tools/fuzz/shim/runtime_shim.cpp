// The runtime services the readers call, for host builds: every block comes
// from the host allocator (so the address checker sees each one's bounds),
// boxes are counted, a failure report ends the run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "exceptions/failure_report.h"
#include "fuzz_shim.h"
#include "image/export_table.h"
#include "image/export_trap.h"
#include "image/image_loader.h"
#include "objects/memory.h"
#include "startup/process.h"
#include "strings/runtime_string.h"

namespace {
std::size_t g_in_use = 0;
int g_boxes = 0;
const std::uint8_t* g_image_data = nullptr;
std::uint32_t g_image_data_size = 0;
}  // namespace

void fuzz_set_image_data(const std::uint8_t* data, std::uint32_t size) {
    g_image_data = data;
    g_image_data_size = size;
}
const std::uint8_t* image_data_base() { return g_image_data; }
std::uint32_t image_data_size() { return g_image_data_size; }

void* runtime_alloc(std::size_t size) {
    void* block = std::calloc(1, size ? size : 1);
    if (!block) std::abort();
    g_in_use += size;
    return block;
}

void runtime_free(void* block, std::size_t size) {
    if (!block) return;
    g_in_use -= size;
    std::free(block);
}

HINSTANCE process_instance() { return nullptr; }

RuntimeMemoryUse runtime_memory_use() { return {0, g_in_use}; }
std::size_t fuzz_memory_in_use() { return g_in_use; }

void fuzz_expect_memory(std::size_t baseline) {
    if (g_in_use == baseline) return;
    std::fprintf(stderr, "runtime memory leaked: %zu bytes\n", g_in_use - baseline);
    std::abort();
}

extern "C" void RuntimeMsgBox(RuntimeString*) { ++g_boxes; }
int fuzz_boxes_shown() {
    int n = g_boxes;
    g_boxes = 0;
    return n;
}

void runtime_failure_report(int class_number, std::int16_t code, const char* source, int line) {
    std::fprintf(stderr, "failure report %d %d %s %d\n", class_number, code, source, line);
    std::abort();
}

void export_trap(const char* name) {
    std::fprintf(stderr, "trap %s\n", name);
    std::abort();
}

// Every named slot is bound to one stand-in: the readers only compare names
// and write addresses.
namespace {
void any_entry() {}
}  // namespace
#define SLOT(name) {#name, reinterpret_cast<void*>(&any_entry), {0, 0}},
#define EXPORT(name) SLOT(name)
#define TRAP(name) SLOT(name)
#define AGAIN(name) SLOT(name)
const ExportSlot g_export_table[kExportSlotCount] = {
#include "image/export_names.inc"
};
