// Creating, counting and destroying runtime objects.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "objects/debugger.h"
#include "objects/memory.h"
#include "support/object_test_support.h"
#include "objects/objects.h"

namespace {

// What constructors and destructors did, in order: "+Class" and "-Class",
// with the object's tag after a colon.
std::vector<std::string> g_log;

struct Tagged {
    RuntimeObject header;
    const char* tag;
    RuntimeObject* held[2];  // released by the destructor of class Holder
};

std::string entry(char sign, RuntimeObject* object, RuntimeClass* cls) {
    const char* tag = reinterpret_cast<Tagged*>(object)->tag;
    return std::string(1, sign) + string_cstr(cls->name) + (tag ? std::string(":") + tag : "");
}

void log_construct(RuntimeObject* object, RuntimeClass* cls) { g_log.push_back(entry('+', object, cls)); }
void log_destroy(RuntimeObject* object, RuntimeClass* cls) { g_log.push_back(entry('-', object, cls)); }

void release_held(RuntimeObject* object, RuntimeClass* cls) {
    log_destroy(object, cls);
    auto* tagged = reinterpret_cast<Tagged*>(object);
    for (RuntimeObject*& held : tagged->held) {
        RuntimeUnlockObject(held);
        held = nullptr;
    }
}

bool g_release_once_too_often = false;

// Takes and drops references to itself, balanced unless asked otherwise.
void release_self(RuntimeObject* object, RuntimeClass* cls) {
    log_destroy(object, cls);
    RuntimeLockObject(object);
    RuntimeUnlockObject(object);
    if (g_release_once_too_often) RuntimeUnlockObject(object);
}

class Objects : public FailureReports {
protected:
    void SetUp() override {
        FailureReports::SetUp();
        g_log.clear();
        g_release_once_too_often = false;
        root_ = make_class("Root", nullptr, sizeof(Tagged));
        root_->constructor = log_construct;
        root_->destructor = log_destroy;
        middle_ = make_class("Middle", root_, sizeof(Tagged));  // neither
        leaf_ = make_class("Leaf", middle_, sizeof(Tagged) + 2);
        leaf_->constructor = log_construct;
        leaf_->destructor = log_destroy;
        holder_ = make_class("Holder", root_, sizeof(Tagged));
        holder_->destructor = release_held;
        selfish_ = make_class("Selfish", nullptr, sizeof(Tagged));
        selfish_->destructor = release_self;
    }

    RuntimeObject* make(RuntimeClass* cls, const char* tag) {
        RuntimeObject* object = object_new(cls);
        reinterpret_cast<Tagged*>(object)->tag = tag;
        return object;
    }

    RuntimeClass* root_;
    RuntimeClass* middle_;
    RuntimeClass* leaf_;
    RuntimeClass* holder_;
    RuntimeClass* selfish_;
};

TEST_F(Objects, NewObjectHasTheHeaderAndZeroedFieldsAndIsListedFirst) {
    RuntimeObject* older = object_new(leaf_);
    RuntimeObject* object = object_new(leaf_);
    EXPECT_EQ(object->refs, 1);
    EXPECT_EQ(object->cls, leaf_);
    EXPECT_EQ(live_objects_first(), object);
    EXPECT_EQ(object->next, older);
    EXPECT_EQ(object->previous, nullptr);
    EXPECT_EQ(older->previous, object);
    EXPECT_EQ(object->base[0], 0u);
    EXPECT_EQ(object->base[1], 0u);
    // Instance size 38 becomes a 40-byte block: every byte after the class word is zero.
    const auto* bytes = reinterpret_cast<const unsigned char*>(object);
    for (std::size_t i = 16; i < 40; ++i) EXPECT_EQ(bytes[i], 0) << i;
    RuntimeUnlockObject(object);
    RuntimeUnlockObject(older);
}

TEST_F(Objects, ConstructorsRunFromTheRootDownAndDestructorsFromTheLeafUp) {
    RuntimeObject* object = object_new(leaf_);
    EXPECT_EQ(g_log, (std::vector<std::string>{"+Root", "+Leaf"}));
    g_log.clear();
    RuntimeUnlockObject(object);
    EXPECT_EQ(g_log, (std::vector<std::string>{"-Leaf", "-Root"}));
}

TEST_F(Objects, NilIsIgnoredByLockAndUnlock) {
    EXPECT_EQ(RuntimeLockObject(nullptr), nullptr);
    RuntimeUnlockObject(nullptr);
    EXPECT_TRUE(reported().empty());
}

TEST_F(Objects, LockAddsAReferenceAndTheLastUnlockDestroys) {
    RuntimeObject* object = make(leaf_, "x");
    EXPECT_EQ(RuntimeLockObject(object), object);
    EXPECT_EQ(object->refs, 2);
    RuntimeUnlockObject(object);
    EXPECT_EQ(object->refs, 1);
    EXPECT_EQ(g_log.size(), 2u);  // only the constructors so far
    const std::int32_t before = RuntimeDebugObjectCount(nullptr);
    RuntimeUnlockObject(object);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), before - 1);
    EXPECT_EQ(g_log.back(), "-Root:x");
}

TEST_F(Objects, ReleasingAnObjectWithoutReferencesIsReportedAndChangesNothing) {
    for (std::int32_t refs : {0, -3}) {
        reported().clear();
        RuntimeObject* object = object_new(middle_);
        object->refs = refs;
        RuntimeUnlockObject(object);
        EXPECT_EQ(object->refs, refs);
        EXPECT_EQ(live_objects_first(), object);
        EXPECT_EQ(reported(), (std::vector<ReportedFailure>{{131, 4, "objects", 405}}));
        object->refs = 1;
        RuntimeUnlockObject(object);
    }
}

TEST_F(Objects, ObjectsReleasedByADestructorAreDestroyedAfterItLastReleasedFirst) {
    RuntimeObject* first = make(leaf_, "first");
    RuntimeObject* second = make(leaf_, "second");
    RuntimeObject* holder = make(holder_, "holder");
    reinterpret_cast<Tagged*>(holder)->held[0] = first;
    reinterpret_cast<Tagged*>(holder)->held[1] = second;
    g_log.clear();
    RuntimeUnlockObject(holder);
    EXPECT_EQ(g_log, (std::vector<std::string>{"-Holder:holder", "-Root:holder", "-Leaf:second", "-Root:second",
                                               "-Leaf:first", "-Root:first"}));
}

TEST_F(Objects, AnObjectReleasedTwiceDuringAnotherDestructionIsDestroyedOnce) {
    // Both of the holder's references to the same object go in its destructor.
    RuntimeObject* shared = make(leaf_, "shared");
    RuntimeObject* holder = make(holder_, "holder");
    reinterpret_cast<Tagged*>(holder)->held[0] = shared;
    reinterpret_cast<Tagged*>(holder)->held[1] = RuntimeLockObject(shared);
    g_log.clear();
    RuntimeUnlockObject(holder);
    EXPECT_EQ(g_log, (std::vector<std::string>{"-Holder:holder", "-Root:holder", "-Leaf:shared", "-Root:shared"}));
    EXPECT_TRUE(reported().empty());
}

TEST_F(Objects, ReferencesTheDestructorTakesAndDropsOrDropsOnceTooOftenDoNotDestroyTwice) {
    for (bool too_often : {false, true}) {
        g_release_once_too_often = too_often;
        const RuntimeMemoryUse before = runtime_memory_use();
        RuntimeObject* selfish = make(selfish_, "self");
        RuntimeObject* other = make(leaf_, "other");
        g_log.clear();
        RuntimeUnlockObject(selfish);
        EXPECT_EQ(g_log, (std::vector<std::string>{"-Selfish:self"})) << too_often;
        EXPECT_TRUE(reported().empty());
        // The block went back once: the next two objects get two different blocks.
        RuntimeObject* next = object_new(selfish_);
        RuntimeObject* after_next = object_new(selfish_);
        EXPECT_NE(next, after_next);
        for (RuntimeObject* object : {next, after_next, other}) RuntimeUnlockObject(object);
        EXPECT_EQ(runtime_memory_use().small_bytes, before.small_bytes) << too_often;
    }
}

void* g_resume[5];

void abandon_destruction(RuntimeObject* object, RuntimeClass* cls) {
    log_destroy(object, cls);
    __builtin_longjmp(g_resume, 1);
}

TEST_F(Objects, AfterAnExceptionLeavesADestructorLaterReleasesStillDestroy) {
    RuntimeClass* raising = make_class("Raising", nullptr, sizeof(Tagged));
    raising->destructor = abandon_destruction;
    RuntimeObject* pending = make(leaf_, "pending");
    RuntimeObject* holder = make(holder_, "holder");
    reinterpret_cast<Tagged*>(holder)->held[0] = make(raising, "raising");
    reinterpret_cast<Tagged*>(holder)->held[1] = pending;
    g_log.clear();
    // The unwinder resumes in this frame, as in a handler of the caller.
    if (__builtin_setjmp(g_resume) == 0) RuntimeUnlockObject(holder);
    objects_unwound_to(__builtin_frame_address(0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"-Holder:holder", "-Root:holder", "-Leaf:pending", "-Root:pending",
                                               "-Raising:raising"}));

    g_log.clear();
    RuntimeUnlockObject(make(leaf_, "later"));
    EXPECT_EQ(g_log, (std::vector<std::string>{"+Root", "+Leaf", "-Leaf:later", "-Root:later"}));
}

TEST_F(Objects, NewObjectGoesThroughTheClassTable) {
    static RuntimeClass* table[3];
    table[0] = middle_;
    table[1] = nullptr;  // a class nothing provided
    table[2] = leaf_;
    class_table_install(table, 3);
    RuntimeObject* object = RuntimeNewObject(2);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->cls, leaf_);
    RuntimeUnlockObject(object);
    EXPECT_TRUE(reported().empty());

    for (std::int32_t index : {-1, 1, 3, 1000}) {
        reported().clear();
        EXPECT_EQ(RuntimeNewObject(index), nullptr) << index;
        EXPECT_EQ(reported(), (std::vector<ReportedFailure>{{131, 4, "RuntimeMain", 1111}})) << index;
    }
    class_table_install(nullptr, 0);
}

TEST_F(Objects, ADroppedScenarioLeavesNoObjectsAndNoMemoryBehind) {
    const std::int32_t objects_before = RuntimeDebugObjectCount(nullptr);
    const RuntimeMemoryUse memory_before = runtime_memory_use();

    std::string long_text(300, 'x');
    RuntimeString* left = text("objects ");
    RuntimeString* right = text("and strings");
    RuntimeString* words = RuntimeAddString(left, right);
    RuntimeString* large = string_from_cstr(long_text.c_str());
    RuntimeObject* holder = make(holder_, "holder");
    reinterpret_cast<Tagged*>(holder)->held[0] = make(leaf_, "a");
    reinterpret_cast<Tagged*>(holder)->held[1] = make(holder_, "inner");
    reinterpret_cast<Tagged*>(reinterpret_cast<Tagged*>(holder)->held[1])->held[0] = make(selfish_, "b");
    RuntimeObject* kept = RuntimeLockObject(make(leaf_, "c"));
    RuntimeUnlockObject(kept);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before + 5);

    RuntimeUnlockObject(kept);
    RuntimeUnlockObject(holder);
    for (RuntimeString* s : {left, right, words, large}) RuntimeUnlockString(s);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before);
    const RuntimeMemoryUse memory_after = runtime_memory_use();
    EXPECT_EQ(memory_after.small_bytes, memory_before.small_bytes);
    EXPECT_EQ(memory_after.large_bytes, memory_before.large_bytes);
}

}  // namespace
