// The smallest plugin: it only states its interface version.
#include "plugin_interface.h"

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolve) {
    reinterpret_cast<void (*)(std::int32_t)>(resolve("RegisterPluginVersion"))(5);
}
