// A growable byte buffer in runtime memory: the clear text a masked field
// holds while its window shows asterisks.
#pragma once

#include <cstdint>

class ClearText {
public:
    ClearText() = default;
    ClearText(const ClearText&) = delete;
    ClearText& operator=(const ClearText&) = delete;
    ~ClearText();

    const char* bytes() const { return data_ ? data_ : ""; }
    std::uint32_t length() const { return length_; }
    void assign(const char* bytes, std::uint32_t n) { replace(0, length_, bytes, n); }
    // Bytes [start, end) become `bytes`; offsets are clamped to the text.
    void replace(std::uint32_t start, std::uint32_t end, const char* bytes, std::uint32_t n);
    void swap(ClearText& other);
    void release();

private:
    void reserve(std::uint32_t capacity);

    char* data_ = nullptr;
    std::uint32_t length_ = 0, capacity_ = 0;
};

// The window's form of a clear text: "*" for every character of code 32 and up.
constexpr char kPasswordCharacter = '*';
inline char masked_character_of(char c) {
    return static_cast<unsigned char>(c) >= 32 ? kPasswordCharacter : c;
}
