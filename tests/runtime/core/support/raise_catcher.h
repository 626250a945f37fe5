// Calls an entry point from a compiled-style frame whose trailer catches
// every RuntimeException, so that tests can see what a call raises.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "support/code_builder.h"
#include "objects/objects.h"

class RaiseCatcher {
public:
    struct Outcome {
        RuntimeClass* raised;  // the class of the exception caught, or null
        std::uint32_t eax;     // the result when nothing was raised
    };

    RaiseCatcher() {
        static RuntimeClass* table[1];
        table[kRuntimeExceptionIndex] = builtin_class(BuiltinClass::RuntimeException);
        class_table_install(table, 1);
    }

    // `words` are the argument words in the order of the parameters (a
    // double as its low word, then its high word); `fpu_result` pops the
    // double a call leaves on the FPU stack.
    Outcome call(const void* target, std::initializer_list<std::uint32_t> words, bool fpu_result = false) {
        CodeBuilder code;
        std::uintptr_t entry = code.here();
        code.prologue(1);
        std::vector<std::uint32_t> args(words);
        for (auto it = args.rbegin(); it != args.rend(); ++it) code.push_imm(*it);
        code.call(target);
        if (!args.empty()) code.add_esp(static_cast<int>(4 * args.size()));
        if (fpu_result) code.bytes({0xDD, 0xD8});  // fstp st(0)
        code.bytes({0xA3});                          // mov [eax_], eax
        code.u32(address(&eax_));
        std::size_t to_epilogue = code.jump();
        std::uintptr_t handler = code.here();
        code.bytes({0x8B, 0x45, 0xFC, 0x8B, 0x40, 0x04, 0xA3});  // the class of [ebp-4] to raised_
        code.u32(address(&raised_));
        code.land(to_epilogue);
        code.catching_epilogue(kRuntimeExceptionIndex, handler);
        raised_ = nullptr;
        eax_ = 0;
        CodeBuilder::run(entry);
        return {raised_, eax_};
    }

    static std::uint32_t word(const void* p) { return address(p); }
    static std::uint32_t word(std::int32_t n) { return static_cast<std::uint32_t>(n); }
    static std::uint32_t low_word(double x) { return double_words(x)[0]; }
    static std::uint32_t high_word(double x) { return double_words(x)[1]; }
    static std::uint32_t single_word(float x) {
        std::uint32_t w;
        std::memcpy(&w, &x, sizeof w);
        return w;
    }

private:
    static constexpr std::int16_t kRuntimeExceptionIndex = 0;
    static std::uint32_t address(const volatile void* p) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
    }
    static std::vector<std::uint32_t> double_words(double x) {
        std::uint32_t w[2];
        std::memcpy(w, &x, sizeof w);
        return {w[0], w[1]};
    }

    RuntimeClass* volatile raised_ = nullptr;
    volatile std::uint32_t eax_ = 0;
};

inline RuntimeClass* out_of_bounds() { return builtin_class(BuiltinClass::OutOfBoundsException); }
inline RuntimeClass* type_mismatch() { return builtin_class(BuiltinClass::TypeMismatchException); }
