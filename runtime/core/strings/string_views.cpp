// The text of a string in the forms older interfaces and plugins take,
// and the plugin services that build and hold strings.
#include "strings/string_functions.h"

namespace {

const std::uint8_t kEmptyPString[2] = {0, 0};

}  // namespace

extern "C" const char* StringGetCString(RuntimeString* s) { return string_cstr(s); }

extern "C" const std::uint8_t* StringGetPString(RuntimeString* s) { return s ? s->text : kEmptyPString; }

extern "C" const char* StringToCString(RuntimeString* s) { return string_cstr(s); }

extern "C" const std::uint8_t* StringToPString(RuntimeString* s) { return StringGetPString(s); }

extern "C" std::uint32_t StringToOSType(RuntimeString* s) {
    const std::uint8_t* text = string_data(s);
    std::uint32_t code = 0;
    for (std::uint32_t i = 0; i < 4; ++i) code = (code << 8) | (i < string_length(s) ? text[i] : ' ');
    return code;
}

extern "C" RuntimeString* TAVOBuildString(const void* bytes, std::int32_t length) {
    if (!bytes || length <= 0) return nullptr;
    return string_from_bytes(bytes, static_cast<std::size_t>(length));
}

extern "C" void TAVOLockString(RuntimeString* s) { RuntimeLockString(s); }

extern "C" void TAVOUnlockString(RuntimeString* s) { RuntimeUnlockString(s); }
