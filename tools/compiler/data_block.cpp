#include "data_block.h"

#include <cstring>
#include <stdexcept>

namespace tavoc {

void DataBlock::align(std::uint32_t n) {
    while (bytes.size() % n) bytes.push_back(0);
}

std::uint32_t DataBlock::u8(std::uint8_t v) {
    bytes.push_back(v);
    return size() - 1;
}

std::uint32_t DataBlock::u32(std::uint32_t v) {
    std::uint32_t at = size();
    image::put_u32(bytes, v);
    return at;
}

std::uint32_t DataBlock::raw(const image::Bytes& b) {
    std::uint32_t at = size();
    bytes.insert(bytes.end(), b.begin(), b.end());
    return at;
}

void DataBlock::set_u32(std::uint32_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t DataBlock::data_pointer(std::uint32_t target) {
    std::uint32_t at = u32(0);
    set_data_pointer(at, target);
    return at;
}

void DataBlock::set_data_pointer(std::uint32_t at, std::uint32_t target) {
    set_u32(at, target);
    relocations.push_back({at, Base::Data});
}

std::uint32_t DataBlock::code_pointer(int function) {
    std::uint32_t at = u32(0);
    if (function >= 0) {
        code_pointers.push_back({at, function});
        relocations.push_back({at, Base::Code});
    }
    return at;
}

std::uint32_t DataBlock::string_literal(const std::string& text) {
    auto found = strings_.find(text);
    if (found != strings_.end()) return found->second;
    align(4);
    std::uint32_t record = u32(1);
    std::uint32_t text_field = u32(0);
    u32(static_cast<std::uint32_t>(text.size() + 2));
    u32(static_cast<std::uint32_t>(text.size()));
    std::uint32_t buffer = u8(static_cast<std::uint8_t>(text.size() < 255 ? text.size() : 255));
    bytes.insert(bytes.end(), text.begin(), text.end());
    u8(0);
    set_data_pointer(text_field, buffer);
    align(4);
    strings_[text] = record;
    return record;
}

std::uint32_t DataBlock::string_or_nil(const std::string& text) {
    if (text.empty()) return u32(0);
    auto found = strings_.find(text);
    if (found == strings_.end()) throw std::logic_error("string \"" + text + "\" used before it was interned");
    return data_pointer(found->second);
}

std::uint32_t DataBlock::empty_c_string() {
    if (!empty_c_string_) empty_c_string_ = u32(0);
    return empty_c_string_;
}

std::uint32_t DataBlock::double_constant(double v) {
    std::uint64_t key;
    std::memcpy(&key, &v, 8);
    auto found = doubles_.find(key);
    if (found != doubles_.end()) return found->second;
    align(8);
    std::uint32_t at = u32(static_cast<std::uint32_t>(key));
    u32(static_cast<std::uint32_t>(key >> 32));
    doubles_[key] = at;
    return at;
}

}  // namespace tavoc
