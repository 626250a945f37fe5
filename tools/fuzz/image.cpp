// The image as the loader meets it at the end of the program file: the four
// blocks read, the link records bound, the data relocated, the entry point
// checked; every failure is a message, and nothing is left allocated.
#include <cstring>

#include "fuzz_shim.h"
#include "image/image_loader.h"
#include "image/linker.h"
#include "objects/memory.h"

namespace {
// Plugins provide every member, so pending references are bound and freed.
void* any_member(RuntimeString*) {
    static int member;
    return &member;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    set_plugin_member_lookup(any_member);
    const std::size_t baseline = fuzz_memory_in_use();
    fuzz_set_program_file(data, size);
    ImageBlocks blocks;
    RuntimeString* failure = read_image_blocks(blocks);
    if (!failure) {
        ImageMemory memory = {blocks.code, blocks.code_size, blocks.data, blocks.data_size, true};
        failure = link_image(memory, blocks.link, blocks.link_size);
        if (!failure) failure = relocate_data(memory, blocks.res, blocks.res_size);
        // Plugin members are bound once the plugins are in, while the code
        // is still there; a failed link leaves its pending ones for them too.
        resolve_pending_plugin_references();
        release_image_blocks(blocks);
    }
    RuntimeUnlockString(failure);
    fuzz_expect_memory(baseline);
    return 0;
}
