#include "strings/runtime_string.h"

#include <cstring>

#include "exceptions/failure_report.h"
#include "objects/memory.h"

RuntimeString* string_allocate(std::size_t n) {
    auto* s = static_cast<RuntimeString*>(runtime_alloc(sizeof(RuntimeString)));
    s->refs = 1;
    s->length = static_cast<std::uint32_t>(n);
    s->size = static_cast<std::uint32_t>(n + 2);
    s->text = static_cast<std::uint8_t*>(runtime_alloc(n + 2));
    s->text[0] = static_cast<std::uint8_t>(n < 255 ? n : 255);
    s->text[n + 1] = 0;
    return s;
}

RuntimeString* string_from_bytes(const void* bytes, std::size_t n) {
    if (n == 0) return nullptr;
    RuntimeString* s = string_allocate(n);
    std::memcpy(string_bytes(s), bytes, n);
    return s;
}

RuntimeString* string_from_cstr(const char* text) {
    return text ? string_from_bytes(text, std::strlen(text)) : nullptr;
}

RuntimeString* string_concat(std::initializer_list<const char*> parts) {
    std::size_t n = 0;
    for (const char* part : parts) n += part ? std::strlen(part) : 0;
    if (n == 0) return nullptr;
    RuntimeString* s = string_allocate(n);
    std::uint8_t* out = string_bytes(s);
    for (const char* part : parts) {
        std::size_t length = part ? std::strlen(part) : 0;
        std::memcpy(out, part, length);
        out += length;
    }
    return s;
}

const char* string_cstr(const RuntimeString* s) {
    return s ? reinterpret_cast<const char*>(s->text + 1) : "";
}

RuntimeString* string_slice(RuntimeString* s, std::size_t offset, std::size_t count) {
    if (count == 0) return nullptr;
    if (offset == 0 && count == string_length(s)) {
        RuntimeLockString(s);
        return s;
    }
    return string_from_bytes(string_data(s) + offset, count);
}

void string_assign(RuntimeString** slot, RuntimeString* value) {
    RuntimeLockString(value);
    RuntimeString* old = *slot;
    *slot = value;
    RuntimeUnlockString(old);
}

extern "C" void RuntimeLockString(RuntimeString* s) {
    if (!s) return;
    if (s->refs == 0) runtime_failure_report(131, 4, "string", 24);
    ++s->refs;
}

extern "C" void RuntimeUnlockString(RuntimeString* s) {
    if (!s) return;
    if (s->refs == 0) runtime_failure_report(131, 4, "string", 34);
    if (--s->refs == 0) {
        runtime_free(s->text, s->size);
        runtime_free(s, sizeof(RuntimeString));
    }
}

extern "C" RuntimeString* RuntimeAddString(RuntimeString* a, RuntimeString* b) {
    std::size_t la = string_length(a), lb = string_length(b);
    if (la + lb == 0) return nullptr;
    RuntimeString* s = string_allocate(la + lb);
    std::memcpy(string_bytes(s), string_data(a), la);
    std::memcpy(string_bytes(s) + la, string_data(b), lb);
    return s;
}
