// The debugger's view of the live objects and the runtime instance.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "objects/builtin_classes.h"
#include "objects/debugger.h"
#include "objects/memory.h"
#include "support/object_test_support.h"
#include "objects/objects.h"

namespace {

// Debugger output as a debugger would see it: the system raises it as an
// exception that a vectored handler sees before anyone else.
std::vector<std::string>& debug_lines() {
    static std::vector<std::string> lines;
    return lines;
}

LONG CALLBACK take_debug_output(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->ExceptionCode != DBG_PRINTEXCEPTION_C || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
    debug_lines().emplace_back(text, r->ExceptionInformation[0] ? r->ExceptionInformation[0] - 1 : 0);
    return EXCEPTION_CONTINUE_EXECUTION;
}


TEST(Debugger, WalksTheLiveObjectsNewestFirstSkippingTheExcludedOne) {
    RuntimeClass* named = make_class("Named");
    RuntimeClass* unnamed = class_new(nullptr);  // as the image's unnamed control subclasses
    unnamed->superclass = named;
    RuntimeObject* older = object_new(named);
    RuntimeObject* excluded = object_new(named);
    RuntimeObject* newest = object_new(unnamed);
    RuntimeLockObject(newest);
    const std::int32_t count = RuntimeDebugObjectCount(nullptr);
    EXPECT_EQ(RuntimeDebugObjectCount(excluded), count - 1);

    EXPECT_EQ(RuntimeDebugObjectID(excluded, 0), reinterpret_cast<std::uintptr_t>(newest) ^ 0x15C7A3u);
    EXPECT_EQ(RuntimeDebugObjectID(excluded, 1), reinterpret_cast<std::uintptr_t>(older) ^ 0x15C7A3u);
    EXPECT_EQ(RuntimeDebugObjectRefs(excluded, 0), 2);
    EXPECT_EQ(RuntimeDebugObjectRefs(excluded, 1), 1);
    RuntimeString* name = RuntimeDebugObjectClass(excluded, 0);
    EXPECT_STREQ(string_cstr(name), "Named");
    EXPECT_NE(name, named->name);  // a new string
    RuntimeUnlockString(name);

    for (std::int32_t beyond : {count - 1, count + 5, -1}) {
        EXPECT_EQ(RuntimeDebugObjectID(excluded, beyond), 0u) << beyond;
        EXPECT_EQ(RuntimeDebugObjectRefs(excluded, beyond), 0) << beyond;
        EXPECT_EQ(RuntimeDebugObjectClass(excluded, beyond), nullptr) << beyond;
    }
    for (RuntimeObject* object : {older, excluded, newest, newest}) RuntimeUnlockObject(object);
}

TEST(Debugger, MemoryUsedIsTheSmallBlockCount) {
    const std::uint32_t before = RuntimeDebugMemoryUsed();
    void* block = runtime_alloc(30);
    EXPECT_EQ(RuntimeDebugMemoryUsed(), before + 32);
    runtime_free(block, 30);
    EXPECT_EQ(RuntimeDebugMemoryUsed(), before);
}

TEST(Debugger, TheRuntimeInstanceIsSingleAndOutlivesItsCallers) {
    RuntimeObject* first = RuntimeDebugInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->cls, builtin_class(BuiltinClass::Runtime));
    const std::int32_t refs = first->refs;
    RuntimeUnlockObject(first);
    RuntimeObject* second = RuntimeDebugInstance();
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->refs, refs);
    RuntimeUnlockObject(second);
}

}  // namespace

TEST(Debugger, DumpWritesOneLinePerLiveObjectFromTheSameWalk) {
    RuntimeClass* named = make_class("Dumped");
    RuntimeObject* first = object_new(named);
    RuntimeObject* second = object_new(named);
    RuntimeLockObject(second);
    debug_lines().clear();
    void* handler = AddVectoredExceptionHandler(1, take_debug_output);
    debugDumpObjects();
    RemoveVectoredExceptionHandler(handler);

    ASSERT_EQ(debug_lines().size(), static_cast<std::size_t>(RuntimeDebugObjectCount(nullptr)));
    for (std::int32_t n : {0, 1}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%08X Dumped %d\r\n",
                      static_cast<unsigned>(RuntimeDebugObjectID(nullptr, n)), RuntimeDebugObjectRefs(nullptr, n));
        EXPECT_EQ(debug_lines()[n], expected) << n;
    }
    EXPECT_EQ(debug_lines()[0].substr(9), "Dumped 2\r\n");
    for (RuntimeObject* object : {first, second, second}) RuntimeUnlockObject(object);
}
