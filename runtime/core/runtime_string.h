// Runtime strings: reference-counted byte strings with an explicit length.
// The empty string is nil. The text buffer holds a length byte, the bytes
// and a zero, so it reads as a C string at text + 1.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeString {
    std::int32_t refs;
    std::uint8_t* text;   // length byte, bytes, zero
    std::uint32_t size;   // length + 2
    std::uint32_t length;
};

// New strings own one reference; nil for n == 0.
RuntimeString* string_from_bytes(const void* bytes, std::size_t n);
RuntimeString* string_from_cstr(const char* text);
// The text as a C string; "" for nil.
const char* string_cstr(const RuntimeString* s);
inline std::uint32_t string_length(const RuntimeString* s) { return s ? s->length : 0; }

extern "C" {
void RuntimeLockString(RuntimeString* s);
void RuntimeUnlockString(RuntimeString* s);
RuntimeString* RuntimeAddString(RuntimeString* a, RuntimeString* b);
void RuntimeMsgBox(RuntimeString* s);
}
