// Object benchmark, run by hand: reference counting against a bare
// increment, and creating and releasing a 24-byte object against malloc and
// free of the same size. Prints times per operation and their ratios.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "objects/builtin_classes.h"
#include "objects/memory.h"
#include "objects/objects.h"

namespace {

constexpr int kRounds = 4000000;

double now_ns() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double ns_per_round(Body body) {
    body();  // warm-up round
    double start = now_ns();
    for (int i = 0; i < kRounds; ++i) body();
    return (now_ns() - start) / kRounds;
}

// The same work as a call each, to separate the cost of the calls.
__attribute__((noinline)) void increment(volatile std::int32_t* count) { ++*count; }
__attribute__((noinline)) void decrement(volatile std::int32_t* count) { --*count; }

}  // namespace

int main() {
    RuntimeObject* object = object_new(builtin_class(BuiltinClass::Object));
    volatile std::int32_t* count = &object->refs;

    double bare = ns_per_round([&] {
        ++*count;
        --*count;
    });
    double called = ns_per_round([&] {
        increment(count);
        decrement(count);
    });
    double counted = ns_per_round([&] {
        RuntimeLockObject(object);
        RuntimeUnlockObject(object);
    });

    RuntimeClass* cls = builtin_class(BuiltinClass::Object);
    RuntimeObject* first = object_new(cls);
    RuntimeUnlockObject(first);
    bool same_block = true;
    const RuntimeMemoryUse before = runtime_memory_use();
    double objects = ns_per_round([&] {
        RuntimeObject* made = object_new(cls);
        same_block = same_block && made == first;
        RuntimeUnlockObject(made);
    });
    const RuntimeMemoryUse after = runtime_memory_use();
    double heap = ns_per_round([] {
        void* volatile block = std::malloc(24);
        std::free(block);
    });

    std::printf("increment + decrement          %8.2f ns\n", bare);
    std::printf("the same, one call each        %8.2f ns\n", called);
    std::printf("RuntimeLockObject + Unlock     %8.2f ns   ratio %.2f to inline, %.2f to calls\n", counted,
                counted / bare, counted / called);
    std::printf("malloc(24) + free              %8.2f ns\n", heap);
    std::printf("new 24-byte object + release   %8.2f ns   ratio %.2f\n", objects, objects / heap);
    std::printf("steady state: %s block every round, large bytes %u -> %u\n", same_block ? "the same" : "NOT the same",
                static_cast<unsigned>(before.large_bytes), static_cast<unsigned>(after.large_bytes));
    RuntimeUnlockObject(object);
    return 0;
}
