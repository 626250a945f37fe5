// Assembles small x86 functions in executable memory, laid out the way the
// compiler lays them out: frame, calls followed by call-site records, one
// epilogue, leave/ret, then the function trailer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "objects/objects.h"

class CodeBuilder {
public:
    CodeBuilder() {
        base_ = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    }
    ~CodeBuilder() { VirtualFree(base_, 0, MEM_RELEASE); }
    CodeBuilder(const CodeBuilder&) = delete;
    CodeBuilder& operator=(const CodeBuilder&) = delete;

    // Address of the next byte.
    std::uintptr_t here() const { return reinterpret_cast<std::uintptr_t>(base_ + used_); }

    void bytes(std::initializer_list<std::uint8_t> b) {
        for (std::uint8_t x : b) base_[used_++] = x;
    }
    void u32(std::uint32_t v) {
        std::memcpy(base_ + used_, &v, 4);
        used_ += 4;
    }
    void be16(std::uint16_t v) { bytes({static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)}); }
    void be32(std::uint32_t v) { be16(static_cast<std::uint16_t>(v >> 16)), be16(static_cast<std::uint16_t>(v)); }

    // push ebp; mov ebp, esp; sub esp, 4*locals; zero the locals.
    void prologue(int locals) {
        bytes({0x55, 0x89, 0xE5});
        if (locals) bytes({0x83, 0xEC, static_cast<std::uint8_t>(4 * locals)});
        for (int i = 1; i <= locals; ++i) store_local(i, 0);
    }
    // mov dword [ebp - 4*n], value
    void store_local(int n, std::uint32_t value) {
        bytes({0xC7, 0x45, static_cast<std::uint8_t>(-4 * n)});
        u32(value);
    }
    // mov dword [address], value
    void store_global(const void* address, std::uint32_t value) {
        bytes({0xC7, 0x05});
        u32(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address)));
        u32(value);
    }
    void push_imm(std::uint32_t value) {
        bytes({0x68});
        u32(value);
    }
    void push_local(int n) { bytes({0xFF, 0x75, static_cast<std::uint8_t>(-4 * n)}); }
    // mov eax, target; call eax; then the call-site record with `actions`
    // (the record's end byte is added).
    void call(const void* target, std::initializer_list<std::uint8_t> actions = {}, bool record = true) {
        bytes({0xB8});
        u32(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target)));
        bytes({0xFF, 0xD0});
        if (!record) return;
        bytes({0xEB, static_cast<std::uint8_t>(actions.size() + 2), 0x2F});
        for (std::uint8_t a : actions) bytes({a});
        bytes({0x00});
    }
    void add_esp(int bytes_) { bytes({0x83, 0xC4, static_cast<std::uint8_t>(bytes_)}); }
    // jmp rel32, patched later by `land`.
    std::size_t jump() {
        bytes({0xE9});
        u32(0);
        return used_ - 4;
    }
    void land(std::size_t jump_field) {
        std::int32_t rel = static_cast<std::int32_t>(used_ - (jump_field + 4));
        std::memcpy(base_ + jump_field, &rel, 4);
    }
    // A trailer handler entry whose code starts at `handler`.
    void trailer_handler(std::int16_t class_index, std::uintptr_t handler) {
        bytes({0x04});
        be16(static_cast<std::uint16_t>(class_index));
        std::uintptr_t distance_field = here();
        be32(static_cast<std::uint32_t>(handler - distance_field));
    }
    void leave_ret() { bytes({0xC9, 0xC3}); }

    // The end of a function whose [ebp-4] receives a caught exception: it
    // releases that, then leave/ret and a trailer with one handler followed
    // by `entries`.
    void catching_epilogue(std::int16_t class_index, std::uintptr_t handler,
                           std::initializer_list<std::uint8_t> entries = {}) {
        push_local(1);
        call(reinterpret_cast<void*>(&RuntimeUnlockObject), {}, false);
        add_esp(4);
        leave_ret();
        bytes({0x2F});
        trailer_handler(class_index, handler);
        bytes(entries);
        bytes({0x00});
    }

    // Calls the function at `address` (no arguments). After an exception
    // was caught in it, only its frame pointer is trustworthy: every other
    // register counts as clobbered.
    static void run(std::uintptr_t address) {
        asm volatile("call *%0" : : "m"(address) : "eax", "ecx", "edx", "ebx", "esi", "edi", "memory", "cc");
    }

private:
    static constexpr std::size_t kSize = 65536;
    std::uint8_t* base_ = nullptr;
    std::size_t used_ = 0;
};
