// Runtime strings: reference-counted byte strings with an explicit length.
// The empty string is nil. The text buffer holds a length byte, the bytes
// and a zero, so it reads as a C string at text + 1 and as a length-prefixed
// string at text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

struct RuntimeString {
    std::int32_t refs;
    std::uint8_t* text;   // length byte, bytes, zero
    std::uint32_t size;   // length + 2
    std::uint32_t length;
};

// New strings own one reference; nil for n == 0.
RuntimeString* string_from_bytes(const void* bytes, std::size_t n);
RuntimeString* string_from_cstr(const char* text);
// The C strings one after the other (null parts count as empty).
RuntimeString* string_concat(std::initializer_list<const char*> parts);
// A new string of n >= 1 bytes for the caller to fill through string_bytes.
RuntimeString* string_allocate(std::size_t n);
inline std::uint8_t* string_bytes(RuntimeString* s) { return s->text + 1; }
// The text as a C string; "" for nil.
const char* string_cstr(const RuntimeString* s);
inline const std::uint8_t* string_data(const RuntimeString* s) {
    return reinterpret_cast<const std::uint8_t*>(string_cstr(s));
}
inline std::uint32_t string_length(const RuntimeString* s) { return s ? s->length : 0; }
// Bytes [offset, offset + count) of s as a new reference: s itself when that
// is the whole text, nil when count is 0.
RuntimeString* string_slice(RuntimeString* s, std::size_t offset, std::size_t count);
// Stores value in *slot: a reference to the new value is taken before the
// old one is dropped, so storing what the slot holds changes nothing.
void string_assign(RuntimeString** slot, RuntimeString* value);

extern "C" {
void RuntimeLockString(RuntimeString* s);
void RuntimeUnlockString(RuntimeString* s);
RuntimeString* RuntimeAddString(RuntimeString* a, RuntimeString* b);
}

// Shows s in an information box, owned and captioned as ui_services() says.
extern "C" void RuntimeMsgBox(RuntimeString* s);
