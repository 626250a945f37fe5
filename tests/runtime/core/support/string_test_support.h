// Runtime strings in tests: owned test texts and results read back.
#pragma once

#include <string>

#include "strings/runtime_string.h"

// A test text owning one reference; "" is nil.
class Str {
public:
    Str(const char* text) : s_(string_from_cstr(text)) {}
    explicit Str(const std::string& text) : s_(string_from_bytes(text.data(), text.size())) {}
    ~Str() { RuntimeUnlockString(s_); }
    Str(const Str&) = delete;
    Str& operator=(const Str&) = delete;
    operator RuntimeString*() const { return s_; }

private:
    RuntimeString* s_;
};

// The text of a result, whose reference the test then drops.
inline std::string take(RuntimeString* s) {
    std::string text(string_cstr(s), string_length(s));
    RuntimeUnlockString(s);
    return text;
}
