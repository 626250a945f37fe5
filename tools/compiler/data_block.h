// The data block as it is being built: bytes, the words that the
// relocation stream must make absolute, code pointers that are known only
// once the code is laid out, string literals and a symbol list for the map.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "image_file.h"

namespace tavoc {

enum class Base { Code, Data };

struct DataSymbol {
    std::string name;
    std::uint32_t offset;
    std::uint32_t size;
};

class DataBlock {
public:
    image::Bytes bytes;
    std::vector<std::pair<std::uint32_t, Base>> relocations;      // u32 words to make absolute
    std::vector<std::pair<std::uint32_t, int>> code_pointers;     // word, function number
    std::vector<DataSymbol> symbols;

    std::uint32_t size() const { return static_cast<std::uint32_t>(bytes.size()); }
    void align(std::uint32_t n);
    std::uint32_t u8(std::uint8_t v);
    std::uint32_t u32(std::uint32_t v);
    std::uint32_t raw(const image::Bytes& b);
    void set_u32(std::uint32_t at, std::uint32_t v);
    std::uint32_t data_pointer(std::uint32_t target);  // a pointer into the data block
    std::uint32_t code_pointer(int function);           // a pointer to a function's code; -1 gives null
    void set_data_pointer(std::uint32_t at, std::uint32_t target);
    // A runtime string record (reference count 1) and its buffer; "" is nil,
    // so callers test for it first.
    std::uint32_t string_literal(const std::string& text);
    // A pointer word to an interned literal, or 0 for "". Records are
    // contiguous, so their strings are interned before a record starts.
    std::uint32_t string_or_nil(const std::string& text);
    std::uint32_t double_constant(double v);
    std::uint32_t empty_c_string();  // one zero byte, shared
    void symbol(const std::string& name, std::uint32_t offset, std::uint32_t size) { symbols.push_back({name, offset, size}); }

private:
    std::map<std::string, std::uint32_t> strings_;
    std::map<std::uint64_t, std::uint32_t> doubles_;
    std::uint32_t empty_c_string_ = 0;  // 0: not made yet (offset 0 is the entry point)
};

}  // namespace tavoc
