// The unwinder with real frames: functions assembled in executable memory
// with call-site records and trailers, as compiled code has them.
#include <gtest/gtest.h>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "support/code_builder.h"
#include "exceptions/exceptions.h"
#include "exceptions/failure_report.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

constexpr std::uint8_t kReleaseStringArg = 1, kReleaseObjectArg = 2, kNoHandlers = 7;
constexpr std::uint8_t kTrailerStringLocal = 5, kTrailerObjectLocal = 6;

// Class indexes of this test's class table.
constexpr std::int16_t kRuntimeExceptionIndex = 0, kOutOfBoundsIndex = 1;

std::uint32_t imm(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

int live_object_count() {
    int n = 0;
    for (RuntimeObject* o = live_objects_first(); o; o = o->next) ++n;
    return n;
}

class Unwinder : public ::testing::Test {
protected:
    void SetUp() override {
        static RuntimeClass* table[2];
        table[kRuntimeExceptionIndex] = builtin_class(BuiltinClass::RuntimeException);
        table[kOutOfBoundsIndex] = builtin_class(BuiltinClass::OutOfBoundsException);
        class_table_install(table, 2);
        live_before_ = live_object_count();
    }
    void TearDown() override { EXPECT_EQ(live_object_count(), live_before_); }

    // An object the test owns one reference to.
    RuntimeObject* object() { return object_new(builtin_class(BuiltinClass::Object)); }

    CodeBuilder code;
    volatile std::uint32_t handled = 0;  // which handler ran
    int live_before_ = 0;
};

// inner(): raises (or not) through `raise`, behind a shortest record.
std::uintptr_t emit_inner(CodeBuilder& c, const void* raise) {
    std::uintptr_t entry = c.here();
    c.prologue(0);
    c.call(raise);
    c.leave_ret();
    c.bytes({0x2F, 0x00});
    return entry;
}

// middle(s): holds object `local` in [ebp-4], listed in its trailer, and
// calls inner with `site_actions` after the call.
std::uintptr_t emit_middle(CodeBuilder& c, std::uintptr_t inner, RuntimeObject* local,
                           std::initializer_list<std::uint8_t> site_actions, volatile std::uint32_t* handled,
                           bool own_handler) {
    std::uintptr_t entry = c.here();
    c.prologue(2);  // [ebp-4] exception, [ebp-8] object local
    c.store_local(2, imm(local));
    c.call(reinterpret_cast<void*>(inner), site_actions);
    std::size_t to_epilogue = c.jump();
    std::uintptr_t handler = c.here();
    c.store_global(const_cast<std::uint32_t*>(handled), 2);
    c.land(to_epilogue);
    c.push_local(1);
    c.call(reinterpret_cast<void*>(&RuntimeUnlockObject), {}, false);
    c.add_esp(4);
    c.leave_ret();
    c.bytes({0x2F});
    if (own_handler) c.trailer_handler(kRuntimeExceptionIndex, handler);
    c.bytes({kTrailerObjectLocal, 0xFF, 0xF8, 0x00});
    return entry;
}

// outer(): passes the owned string `s` to middle (released by the call-site
// record if an exception passes), catches RuntimeException.
std::uintptr_t emit_outer(CodeBuilder& c, std::uintptr_t middle, RuntimeString* s, volatile std::uint32_t* handled) {
    std::uintptr_t entry = c.here();
    c.prologue(1);
    c.push_imm(imm(s));
    c.call(reinterpret_cast<void*>(middle), {kReleaseStringArg, 0});
    c.add_esp(4);
    std::size_t to_epilogue = c.jump();
    std::uintptr_t handler = c.here();
    c.store_global(const_cast<std::uint32_t*>(handled), 1);
    c.land(to_epilogue);
    c.catching_epilogue(kRuntimeExceptionIndex, handler);
    return entry;
}

void no_raise() {}

TEST_F(Unwinder, RecordsAreSkippedByNormalExecution) {
    RuntimeObject* local = object();
    RuntimeString* s = string_from_cstr("argument");
    std::uintptr_t inner = emit_inner(code, reinterpret_cast<void*>(&no_raise));
    std::uintptr_t middle = emit_middle(code, inner, local, {}, &handled, false);
    std::uintptr_t outer = emit_outer(code, middle, s, &handled);
    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 0u);
    EXPECT_EQ(local->refs, 1);  // nothing released on the normal path
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(local);
}

TEST_F(Unwinder, HandlerTwoCallsUpCatchesAndAbandonedFramesAreReleasedOnce) {
    RuntimeObject* local = object();
    RuntimeLockObject(local);  // the reference middle's variable holds
    RuntimeString* s = string_from_cstr("argument");
    RuntimeLockString(s);  // the reference outer's temporary holds
    std::uintptr_t inner = emit_inner(code, reinterpret_cast<void*>(&RuntimeNilObject));
    std::uintptr_t middle = emit_middle(code, inner, local, {}, &handled, false);
    std::uintptr_t outer = emit_outer(code, middle, s, &handled);
    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 1u);
    EXPECT_EQ(local->refs, 1);
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(local);
}

TEST_F(Unwinder, NearestMatchingHandlerWins) {
    RuntimeObject* local = object();
    RuntimeLockObject(local);
    std::uintptr_t inner = emit_inner(code, reinterpret_cast<void*>(&RuntimeNilObject));
    std::uintptr_t middle = emit_middle(code, inner, local, {}, &handled, true);
    RuntimeString* s = string_from_cstr("x");
    RuntimeLockString(s);
    std::uintptr_t outer = emit_outer(code, middle, s, &handled);
    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 2u);
    // The walk ended in middle, whose handler comes before its variable in
    // the trailer: neither middle's variable nor outer's string is released.
    EXPECT_EQ(local->refs, 2);
    EXPECT_EQ(s->refs, 2);
    RuntimeUnlockString(s);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(local);
    RuntimeUnlockObject(local);
}

TEST_F(Unwinder, ActionSevenSkipsThatFramesHandlers) {
    RuntimeObject* local = object();
    RuntimeLockObject(local);
    std::uintptr_t inner = emit_inner(code, reinterpret_cast<void*>(&RuntimeNilObject));
    std::uintptr_t middle = emit_middle(code, inner, local, {kNoHandlers}, &handled, true);
    RuntimeString* s = string_from_cstr("x");
    RuntimeLockString(s);
    std::uintptr_t outer = emit_outer(code, middle, s, &handled);
    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 1u);
    EXPECT_EQ(local->refs, 1);
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(local);
}

TEST_F(Unwinder, ObjectArgumentsOfTheCallSiteAreReleased) {
    // outer passes an owned object to a callee that raises.
    RuntimeObject* argument = object();
    RuntimeLockObject(argument);
    std::uintptr_t outer = code.here();
    code.prologue(1);
    code.push_imm(imm(argument));
    code.call(reinterpret_cast<void*>(&RuntimeNilObject), {kReleaseObjectArg, 0});
    std::uintptr_t handler = code.here();
    code.catching_epilogue(kRuntimeExceptionIndex, handler);
    CodeBuilder::run(outer);
    EXPECT_EQ(argument->refs, 1);
    RuntimeUnlockObject(argument);
}

std::vector<int> g_reports;
void collect(int, std::int16_t code, const char*, int line) { g_reports.push_back(code * 1000 + line); }

TEST_F(Unwinder, UnknownActionIsReportedAndTheWalkGoesOn) {
    g_reports.clear();
    FailureReportSink previous = failure_report_redirect(&collect);
    RuntimeString* s = string_from_cstr("x");
    RuntimeLockString(s);
    std::uintptr_t outer = code.here();
    code.prologue(1);
    code.push_imm(imm(s));
    code.call(reinterpret_cast<void*>(&RuntimeNilObject), {9, kReleaseStringArg, 0});
    std::uintptr_t handler = code.here();
    code.catching_epilogue(kRuntimeExceptionIndex, handler);
    CodeBuilder::run(outer);
    failure_report_redirect(previous);
    EXPECT_EQ(g_reports, std::vector<int>{4105});
    // The rest of that record cannot be read: its release is not done.
    EXPECT_EQ(s->refs, 2);
    RuntimeUnlockString(s);
    RuntimeUnlockString(s);
}

TEST_F(Unwinder, HandlerForAnotherClassIsPassedAndLocalsReleased) {
    // middle's trailer: a handler for OutOfBoundsException, then its
    // variable; a NilObjectException passes it to outer.
    RuntimeObject* local = object();
    RuntimeLockObject(local);
    std::uintptr_t inner = emit_inner(code, reinterpret_cast<void*>(&RuntimeNilObject));
    std::uintptr_t middle = code.here();
    code.prologue(3);  // [ebp-12]: a string variable that is still nil
    code.store_local(2, imm(local));
    code.call(reinterpret_cast<void*>(inner));
    std::uintptr_t wrong_handler = code.here();
    code.store_global(const_cast<std::uint32_t*>(&handled), 9);
    code.leave_ret();
    code.bytes({0x2F});
    code.trailer_handler(kOutOfBoundsIndex, wrong_handler);
    code.bytes({kTrailerObjectLocal, 0xFF, 0xF8, kTrailerStringLocal, 0xFF, 0xF4, 0x00});
    RuntimeString* s = string_from_cstr("x");
    RuntimeLockString(s);
    std::uintptr_t outer = emit_outer(code, middle, s, &handled);
    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 1u);
    EXPECT_EQ(local->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(local);
}

TEST_F(Unwinder, StackCheckRaisesBelowTheLimit) {
    std::uintptr_t outer = code.here();
    code.prologue(1);
    code.call(reinterpret_cast<void*>(&RuntimeStackCheck));
    std::size_t to_epilogue = code.jump();
    std::uintptr_t handler = code.here();
    code.store_global(const_cast<std::uint32_t*>(&handled), 1);
    code.land(to_epilogue);
    code.catching_epilogue(kRuntimeExceptionIndex, handler);

    CodeBuilder::run(outer);
    EXPECT_EQ(handled, 0u);  // no limit yet
    int here = 0;
    stack_limit_set(reinterpret_cast<std::uintptr_t>(&here) + 4096);
    CodeBuilder::run(outer);
    stack_limit_set(0);
    EXPECT_EQ(handled, 1u);
}

}  // namespace
