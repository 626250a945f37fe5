// Builds project descriptions in memory as an image's data block holds them:
// little-endian words, absolute pointers, string literal records.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "strings/runtime_string.h"
#include "startup/startup.h"

class DescriptionBuilder {
public:
    DescriptionBuilder() : bytes_(16384, 0) {}

    const std::uint8_t* start() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    // Lets RuntimeInit and the readers accept records in this buffer.
    void install_as_data() const { runtime_set_description_data(start(), size()); }

    std::uint32_t address(std::size_t offset) const {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bytes_.data() + offset));
    }
    std::size_t here() const { return used_; }

    std::size_t word(std::uint32_t value) {
        std::size_t at = used_;
        std::memcpy(&bytes_[used_], &value, 4);
        used_ += 4;
        return at;
    }
    void set_word(std::size_t at, std::uint32_t value) { std::memcpy(&bytes_[at], &value, 4); }
    void byte(std::uint8_t value) { bytes_[used_++] = value; }
    void bytes(const std::vector<std::uint8_t>& b) {
        for (std::uint8_t x : b) byte(x);
    }
    void align() {
        while (used_ % 4) ++used_;
    }
    // A string literal record (count 1) and its buffer; returns its address.
    std::uint32_t literal(const std::string& text) {
        align();
        std::size_t record = used_;
        used_ += sizeof(RuntimeString);
        std::size_t buffer = used_;
        byte(static_cast<std::uint8_t>(text.size() < 255 ? text.size() : 255));
        for (char c : text) byte(static_cast<std::uint8_t>(c));
        byte(0);
        align();
        std::uint32_t words[4] = {1, address(buffer), static_cast<std::uint32_t>(text.size() + 2),
                                  static_cast<std::uint32_t>(text.size())};
        std::memcpy(&bytes_[record], words, sizeof words);
        return address(record);
    }
    // Kind 1: a class the runtime provides, by name.
    std::uint32_t provided_class(const std::string& name) {
        std::uint32_t text = literal(name);
        std::size_t record = word(1);
        word(text);
        return address(record);
    }
    // Kind 0 without hooks, interfaces, methods or menu handlers; `handlers`
    // are (event name, code) pairs.
    std::uint32_t image_class(const std::string& name, std::uint32_t size, std::int32_t superclass,
                              const std::vector<std::pair<std::string, void*>>& handlers = {}) {
        std::vector<std::uint32_t> names;
        for (auto& h : handlers) names.push_back(literal(h.first));
        std::uint32_t text = name.empty() ? 0 : literal(name);
        std::size_t record = word(0);
        for (std::uint32_t w : {size, text, static_cast<std::uint32_t>(superclass), 0u, 0u, 0u, 0u}) word(w);
        word(static_cast<std::uint32_t>(handlers.size()));
        for (std::size_t i = 0; i < handlers.size(); ++i) {
            word(names[i]);
            word(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handlers[i].second)));
            word(static_cast<std::uint32_t>(i + 1));
        }
        word(0);  // menu handlers
        word(0);  // virtual methods
        return address(record);
    }
    // An item record: kind, then the given words.
    std::uint32_t item(std::uint32_t kind, const std::vector<std::uint32_t>& words) {
        std::size_t record = word(kind);
        for (std::uint32_t w : words) word(w);
        return address(record);
    }
    // A settings item (kind 4) around a settings stream.
    std::uint32_t settings_item(const std::vector<std::uint8_t>& stream) {
        std::size_t record = word(4);
        word(0);
        word(static_cast<std::uint32_t>(stream.size()));
        bytes(stream);
        align();
        return address(record);
    }
    // The top level: class records, then item records (0 for an absent one).
    const std::uint8_t* top(const std::vector<std::uint32_t>& classes, const std::vector<std::uint32_t>& items) {
        align();
        std::size_t at = word(static_cast<std::uint32_t>(classes.size()));
        for (std::uint32_t c : classes) word(c);
        word(static_cast<std::uint32_t>(items.size()));
        for (std::uint32_t i : items) word(i);
        return bytes_.data() + at;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t used_ = 0;
};

// Settings streams: packed integers and texts.
inline void put_packed(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>((v & 0x3F) | (v > 0x3F ? 0x80 : 0)));
    for (v >>= 6; v; v >>= 7) out.push_back(static_cast<std::uint8_t>((v & 0x7F) | (v > 0x7F ? 0x80 : 0)));
}
inline void put_text(std::vector<std::uint8_t>& out, const std::string& text) {
    put_packed(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}
