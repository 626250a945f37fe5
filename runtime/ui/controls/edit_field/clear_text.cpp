#include "controls/edit_field/clear_text.h"

#include <cstring>

#include "objects/memory.h"

ClearText::~ClearText() { release(); }

void ClearText::release() {
    runtime_free(data_, capacity_);
    data_ = nullptr;
    length_ = capacity_ = 0;
}

void ClearText::reserve(std::uint32_t capacity) {
    if (capacity <= capacity_) return;
    std::uint32_t grown = capacity_ ? capacity_ * 2 : 32;
    if (grown < capacity) grown = capacity;
    char* bigger = static_cast<char*>(runtime_alloc(grown));
    if (length_) std::memcpy(bigger, data_, length_);
    runtime_free(data_, capacity_);
    data_ = bigger;
    capacity_ = grown;
}

void ClearText::replace(std::uint32_t start, std::uint32_t end, const char* bytes, std::uint32_t n) {
    if (start > length_) start = length_;
    if (end > length_) end = length_;
    if (end < start) end = start;
    const std::uint32_t kept_after = length_ - end;
    const std::uint32_t new_length = start + n + kept_after;
    reserve(new_length + 1);
    std::memmove(data_ + start + n, data_ + end, kept_after);
    if (n) std::memcpy(data_ + start, bytes, n);
    length_ = new_length;
    data_[length_] = 0;
}

void ClearText::swap(ClearText& other) {
    char* d = data_;
    data_ = other.data_;
    other.data_ = d;
    std::uint32_t l = length_, c = capacity_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    other.length_ = l;
    other.capacity_ = c;
}
