// The settings stream of the project description: display option, script,
// file types, message texts, the document mode and the title.
#include "fuzz_shim.h"
#include "startup/project_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    project_settings_read(data, size);
    return 0;
}
