#include "x86.h"

#include <stdexcept>

namespace tavoc {

bool holds_trailer_mark(std::uint32_t v) {
    std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                         static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    for (int i = 0; i < 2; ++i)
        if (b[i] == 0xC9 && b[i + 1] == 0xC3 && b[i + 2] == 0x2F) return true;
    return false;
}

void Assembler::u32(std::uint32_t v) { image::put_u32(code, v); }

void Assembler::patch_u32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) code[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void Assembler::begin_function() {
    labels_.clear();
    last_jump_end_ = SIZE_MAX;
}

int Assembler::new_label() {
    labels_.emplace_back();
    return static_cast<int>(labels_.size()) - 1;
}

void Assembler::bind(int label) {
    // A jump to the very next instruction is dropped, unless another label already points here.
    Label& l = labels_[label];
    if (last_jump_end_ == here() && last_jump_label_ == label && !l.uses.empty() && l.uses.back() + 4 == here()) {
        bool other = false;
        for (const Label& o : labels_) other = other || o.pos == here();
        if (!other) {
            l.uses.pop_back();
            code.resize(code.size() - 5);
        }
    }
    last_jump_end_ = SIZE_MAX;
    l.pos = here();
}

void Assembler::rel32_to(int label) {
    labels_[label].uses.push_back(here());
    u32(0);
}

void Assembler::jmp(int label) {
    byte(0xE9);
    rel32_to(label);
    last_jump_end_ = here();
    last_jump_label_ = label;
}

void Assembler::jcc(Cond cond, int label) {
    bytes({0x0F, static_cast<std::uint8_t>(0x80 | static_cast<int>(cond))});
    rel32_to(label);
}

void Assembler::finish_function() {
    for (const Label& l : labels_) {
        if (l.pos == SIZE_MAX && !l.uses.empty()) throw std::logic_error("jump to an unbound label");
        for (std::size_t use : l.uses) patch_u32(use, static_cast<std::uint32_t>(l.pos - (use + 4)));
    }
    labels_.clear();
}

void Assembler::call_import(const std::string& name) {
    byte(0xE8);
    import_sites.push_back({name, here()});
    u32(0);  // the chain link, filled when the image is written
}

void Assembler::call_function(int function) {
    byte(0xE8);
    function_calls.push_back({here(), function});
    u32(0);
}

void Assembler::data_address(std::uint32_t data_offset) {
    data_fields.push_back(here());
    u32(data_offset);
}

void Assembler::sub_esp(std::int32_t n) {
    if (n == 0) return;
    if (n < 128) bytes({0x83, 0xEC, static_cast<std::uint8_t>(n)});
    else bytes({0x81, 0xEC}), u32(static_cast<std::uint32_t>(n));
}

void Assembler::add_esp(std::int32_t n) {
    if (n == 0) return;
    if (n < 128) bytes({0x83, 0xC4, static_cast<std::uint8_t>(n)});
    else bytes({0x81, 0xC4}), u32(static_cast<std::uint32_t>(n));
}

void Assembler::lea_esp_ebp(std::int32_t displacement) {
    if (displacement >= -128 && displacement <= 127) bytes({0x8D, 0x65, static_cast<std::uint8_t>(displacement)});
    else bytes({0x8D, 0xA5}), u32(static_cast<std::uint32_t>(displacement));
}

void Assembler::push_imm(std::int32_t v) {
    if (v >= -128 && v <= 127) {
        bytes({0x6A, static_cast<std::uint8_t>(v)});
    } else if (holds_trailer_mark(static_cast<std::uint32_t>(v))) {
        byte(0x68), u32(~static_cast<std::uint32_t>(v));
        bytes({0xF7, 0x14, 0x24});  // not dword [esp]
    } else {
        byte(0x68), u32(static_cast<std::uint32_t>(v));
    }
}

void Assembler::push_esp_slot(std::int32_t disp) {
    if (disp <= 127) bytes({0xFF, 0x74, 0x24, static_cast<std::uint8_t>(disp)});
    else bytes({0xFF, 0xB4, 0x24}), u32(static_cast<std::uint32_t>(disp));
}

void Assembler::mov_eax_imm(std::int32_t v) {
    if (v == 0) return xor_eax_eax();
    if (holds_trailer_mark(static_cast<std::uint32_t>(v))) {
        byte(0xB8), u32(~static_cast<std::uint32_t>(v));
        not_eax();
        return;
    }
    byte(0xB8), u32(static_cast<std::uint32_t>(v));
}

void Assembler::cmp_eax_imm(std::int32_t v) {
    if (v >= -128 && v <= 127) return bytes({0x83, 0xF8, static_cast<std::uint8_t>(v)});
    if (holds_trailer_mark(static_cast<std::uint32_t>(v))) {
        push_imm(v);
        cmp_eax_top();
        add_esp(4);
        return;
    }
    byte(0x3D), u32(static_cast<std::uint32_t>(v));
}

void Assembler::add_local_imm(std::int32_t offset, std::int32_t v) {
    if (v >= -128 && v <= 127) {
        frame_op(0x83, 0, offset);
        byte(static_cast<std::uint8_t>(v));
    } else {
        bytes({0xB9});  // mov ecx, v (a trailer mark cannot survive the split below)
        u32(static_cast<std::uint32_t>(holds_trailer_mark(static_cast<std::uint32_t>(v)) ? ~v : v));
        if (holds_trailer_mark(static_cast<std::uint32_t>(v))) bytes({0xF7, 0xD1});  // not ecx
        add_local_ecx(offset);
    }
}

void Assembler::frame_op(std::uint8_t opcode, int reg, std::int32_t offset) {
    byte(opcode);
    if (offset >= -128 && offset <= 127) {
        byte(static_cast<std::uint8_t>(0x45 | (reg << 3)));
        byte(static_cast<std::uint8_t>(offset));
    } else {
        byte(static_cast<std::uint8_t>(0x85 | (reg << 3)));
        u32(static_cast<std::uint32_t>(offset));
    }
}

void Assembler::base_op(std::uint8_t opcode, int reg, int base, std::int32_t disp) {
    byte(opcode);
    if (disp >= -128 && disp <= 127) {
        byte(static_cast<std::uint8_t>(0x40 | (reg << 3) | base));
        byte(static_cast<std::uint8_t>(disp));
    } else {
        byte(static_cast<std::uint8_t>(0x80 | (reg << 3) | base));
        u32(static_cast<std::uint32_t>(disp));
    }
}

}  // namespace tavoc
