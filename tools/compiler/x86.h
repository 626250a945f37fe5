// A small x86-32 assembler for the code generator: the instructions it
// needs, labels with 32-bit jumps, and the three kinds of references the
// linker resolves (runtime imports, data addresses, calls between
// functions). Registers: EAX holds values, ECX and EDX are scratch; EBX,
// ESI and EDI are only saved and restored, by functions with handlers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image_file.h"

namespace tavoc {

enum class Cond : std::uint8_t { B = 2, AE = 3, E = 4, NE = 5, BE = 6, A = 7, L = 0xC, GE = 0xD, LE = 0xE, G = 0xF };

struct ImportSite {
    std::string name;
    std::size_t field;  // code offset of the call's displacement
};

class Assembler {
public:
    image::Bytes code;
    std::vector<ImportSite> import_sites;       // in code order
    std::vector<std::size_t> data_fields;       // u32 fields that get the data block's base added
    std::vector<std::pair<std::size_t, int>> function_calls;  // displacement field, function number

    std::size_t here() const { return code.size(); }
    void byte(std::uint8_t b) { code.push_back(b); }
    void bytes(std::initializer_list<std::uint8_t> list) { code.insert(code.end(), list); }
    void u32(std::uint32_t v);
    void patch_u32(std::size_t at, std::uint32_t v);

    // Labels are local to one function: begin_function() forgets them.
    void begin_function();
    int new_label();
    void bind(int label);
    void jmp(int label);
    void jcc(Cond cond, int label);
    void finish_function();  // resolves the function's jumps

    void call_import(const std::string& name);
    void call_function(int function);
    void data_address(std::uint32_t data_offset);  // a u32 field holding a data address

    // Frame and stack.
    void prologue() { bytes({0x55, 0x89, 0xE5}); }
    void leave_ret() { bytes({0xC9, 0xC3}); }
    void save_callee_saved() { bytes({0x89, 0x5D, 0xF8, 0x89, 0x75, 0xF4, 0x89, 0x7D, 0xF0}); }     // EBX, ESI, EDI to EBP-8..-16
    void restore_callee_saved() { bytes({0x8B, 0x5D, 0xF8, 0x8B, 0x75, 0xF4, 0x8B, 0x7D, 0xF0}); }
    void sub_esp(std::int32_t n);
    void add_esp(std::int32_t n);
    // lea esp, [ebp + displacement]: puts the stack pointer where the frame
    // says it is, whatever the callee or the unwinder left.
    void lea_esp_ebp(std::int32_t displacement);
    void push_eax() { byte(0x50); }
    void push_ecx() { byte(0x51); }
    void pop_eax() { byte(0x58); }
    void pop_ecx() { byte(0x59); }
    void push_imm(std::int32_t v);
    void push_data_address(std::uint32_t data_offset) { byte(0x68), data_address(data_offset); }
    void push_local(std::int32_t offset) { frame_op(0xFF, 6, offset); }
    void push_esp_slot(std::int32_t disp);                           // push dword [esp+disp]
    void push_field(std::int32_t disp) { base_op(0xFF, 6, 0, disp); }  // push dword [eax+disp]
    void zero_local(std::int32_t offset) { frame_op(0x83, 4, offset), byte(0); }  // and dword [ebp+offset], 0
    void zero_field(std::int32_t disp) { base_op(0x83, 4, 0, disp), byte(0); }    // and dword [eax+disp], 0

    // Moves.
    void mov_eax_imm(std::int32_t v);
    void mov_eax_data_address(std::uint32_t data_offset) { byte(0xB8), data_address(data_offset); }
    void xor_eax_eax() { bytes({0x31, 0xC0}); }
    void mov_eax_local(std::int32_t offset) { frame_op(0x8B, 0, offset); }
    void mov_local_eax(std::int32_t offset) { frame_op(0x89, 0, offset); }
    void mov_ecx_local(std::int32_t offset) { frame_op(0x8B, 1, offset); }
    void mov_edx_local(std::int32_t offset) { frame_op(0x8B, 2, offset); }
    void mov_eax_global(std::uint32_t data_offset) { byte(0xA1), data_address(data_offset); }
    void mov_global_eax(std::uint32_t data_offset) { byte(0xA3), data_address(data_offset); }
    void mov_ecx_global(std::uint32_t data_offset) { bytes({0x8B, 0x0D}), data_address(data_offset); }
    void mov_eax_field(std::int32_t disp) { base_op(0x8B, 0, 0, disp); }        // mov eax, [eax+disp]
    void mov_ecx_edx_field(std::int32_t disp) { base_op(0x8B, 1, 2, disp); }    // mov ecx, [edx+disp]
    void mov_edx_field_eax(std::int32_t disp) { base_op(0x89, 0, 2, disp); }    // mov [edx+disp], eax
    void mov_edx_top() { bytes({0x8B, 0x14, 0x24}); }                           // mov edx, [esp]
    void mov_eax_top() { bytes({0x8B, 0x04, 0x24}); }                           // mov eax, [esp]
    void mov_eax_second() { bytes({0x8B, 0x44, 0x24, 0x04}); }                  // mov eax, [esp+4]
    void mov_ecx_eax() { bytes({0x89, 0xC1}); }

    // Integer arithmetic on EAX (left) and ECX (right).
    void add_eax_ecx() { bytes({0x01, 0xC8}); }
    void sub_eax_ecx() { bytes({0x29, 0xC8}); }
    void imul_eax_ecx() { bytes({0x0F, 0xAF, 0xC1}); }
    void idiv_ecx() { bytes({0x99, 0xF7, 0xF9}); }  // cdq; idiv ecx
    void mov_eax_edx() { bytes({0x89, 0xD0}); }
    void and_eax_ecx() { bytes({0x21, 0xC8}); }
    void or_eax_ecx() { bytes({0x09, 0xC8}); }
    void neg_eax() { bytes({0xF7, 0xD8}); }
    void not_eax() { bytes({0xF7, 0xD0}); }
    void inc_eax() { byte(0x40); }
    void xor_eax_1() { bytes({0x83, 0xF0, 0x01}); }
    void add_local_imm(std::int32_t offset, std::int32_t v);
    void add_local_ecx(std::int32_t offset) { frame_op(0x01, 1, offset); }
    void cmp_eax_ecx() { bytes({0x39, 0xC8}); }
    void cmp_eax_imm(std::int32_t v);
    void cmp_eax_top() { bytes({0x3B, 0x04, 0x24}); }
    void test_eax() { bytes({0x85, 0xC0}); }
    void test_ecx() { bytes({0x85, 0xC9}); }
    void cmp_ecx_minus_one() { bytes({0x83, 0xF9, 0xFF}); }
    void setcc_eax(Cond cond) { bytes({0x0F, static_cast<std::uint8_t>(0x90 | static_cast<int>(cond)), 0xC0, 0x0F, 0xB6, 0xC0}); }
    void bool_from_al() { bytes({0x84, 0xC0}), setcc_eax(Cond::NE); }  // what counts is AL
    void call_eax() { bytes({0xFF, 0xD0}); }

    // The FPU holds Single and Double values in ST0.
    void fld_local(std::int32_t offset, bool dbl) { frame_op(dbl ? 0xDD : 0xD9, 0, offset); }
    void fstp_local(std::int32_t offset, bool dbl) { frame_op(dbl ? 0xDD : 0xD9, 3, offset); }
    void fld_global(std::uint32_t data_offset, bool dbl) { bytes({static_cast<std::uint8_t>(dbl ? 0xDD : 0xD9), 0x05}), data_address(data_offset); }
    void fstp_global(std::uint32_t data_offset, bool dbl) { bytes({static_cast<std::uint8_t>(dbl ? 0xDD : 0xD9), 0x1D}), data_address(data_offset); }
    void fld_field(std::int32_t disp, bool dbl) { base_op(dbl ? 0xDD : 0xD9, 0, 0, disp); }    // [eax+disp]
    void fstp_edx_field(std::int32_t disp, bool dbl) { base_op(dbl ? 0xDD : 0xD9, 3, 2, disp); }  // [edx+disp]
    void fld_top(bool dbl) { bytes({static_cast<std::uint8_t>(dbl ? 0xDD : 0xD9), 0x04, 0x24}); }
    void fstp_top(bool dbl) { bytes({static_cast<std::uint8_t>(dbl ? 0xDD : 0xD9), 0x1C, 0x24}); }
    void fldz() { bytes({0xD9, 0xEE}); }
    void fld1() { bytes({0xD9, 0xE8}); }
    void faddp() { bytes({0xDE, 0xC1}); }
    void fmulp() { bytes({0xDE, 0xC9}); }
    void fsub_left_right() { bytes({0xDE, 0xE1}); }  // ST0 left, ST1 right: ST1 = ST0 - ST1, pop
    void fdiv_left_right() { bytes({0xDE, 0xF1}); }
    void fchs() { bytes({0xD9, 0xE0}); }
    void fcompare_pop_both() { bytes({0xDF, 0xE9, 0xDD, 0xD8}); }  // fucomip st1; fstp st0
    void fpop() { bytes({0xDD, 0xD8}); }

private:
    void frame_op(std::uint8_t opcode, int reg, std::int32_t offset);             // [ebp+offset]
    void base_op(std::uint8_t opcode, int reg, int base, std::int32_t disp);      // [base+disp]
    void rel32_to(int label);

    struct Label {
        std::size_t pos = SIZE_MAX;
        std::vector<std::size_t> uses;
    };
    std::vector<Label> labels_;
    std::size_t last_jump_end_ = SIZE_MAX;  // end of the last instruction when it was a jmp
    int last_jump_label_ = -1;
};

// True when the four bytes of `v` contain C9 C3 2F, the unwinder's trailer mark.
bool holds_trailer_mark(std::uint32_t v);

}  // namespace tavoc
