// The settings stream of the project description: display option, script,
// file types, message texts, the document mode and the title. A stream read
// later replaces the lists read before: once an empty stream is read after
// the input, nothing the input made may remain.
#include "fuzz_shim.h"
#include "startup/project_settings.h"

namespace {
// Display option, a word, the script, no file types, no texts, no MDI, no title.
const std::uint8_t kEmpty[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    project_settings_read(kEmpty, sizeof kEmpty);
    const std::size_t baseline = fuzz_memory_in_use();
    project_settings_read(data, size);
    project_settings_read(kEmpty, sizeof kEmpty);
    fuzz_expect_memory(baseline);
    return 0;
}
