// Finding event handlers: the event lookup and the hook lookup by key.
#include <gtest/gtest.h>

#include "objects/code_lookup.h"
#include "support/object_test_support.h"
#include "objects/objects.h"

namespace {

void* code(int n) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x100 * n)); }

// A defines E; B is a subclass of A, C of B; the test decides who handles.
class EventLookup : public ::testing::Test {
protected:
    void SetUp() override {
        a_ = make_class("A");
        b_ = make_class("B", a_);
        c_ = make_class("C", b_);
        event_ = class_add_event(a_, text("E"), nullptr, nullptr);
    }
    void TearDown() override {
        for (RuntimeObject* object : objects_) RuntimeUnlockObject(object);
    }
    RuntimeObject* of(RuntimeClass* cls) {
        objects_.push_back(object_new(cls));
        return objects_.back();
    }

    RuntimeClass* a_;
    RuntimeClass* b_;
    RuntimeClass* c_;
    EventDefinition* event_;
    std::vector<RuntimeObject*> objects_;
};

TEST_F(EventLookup, TheHandlerNearestTheDefiningClassWins) {
    class_add_handler(b_, text("E"), 1, code(2));
    class_add_handler(c_, text("e"), 1, code(3));  // names ignore case
    EXPECT_EQ(event_lookup(of(c_), event_), code(2));
    EXPECT_EQ(event_lookup(of(b_), event_), code(2));
    EXPECT_EQ(event_lookup(of(a_), event_), nullptr);
}

TEST_F(EventLookup, ASubclassHandlesWhenNoClassBetweenDoes) {
    class_add_handler(c_, text("E"), 1, code(3));
    class_add_handler(b_, text("Other"), 2, code(4));
    EXPECT_EQ(event_lookup(of(c_), event_), code(3));
    EXPECT_EQ(event_lookup(of(b_), event_), nullptr);
}

TEST_F(EventLookup, AHandlerOfTheDefiningClassItselfDoesNotCount) {
    class_add_handler(a_, text("E"), 1, code(1));
    EXPECT_EQ(event_lookup(of(c_), event_), nullptr);
}

TEST_F(EventLookup, ARedefinitionOnTheWayHidesTheHandlersBelowIt) {
    class_add_handler(c_, text("E"), 1, code(3));
    class_add_event(b_, text("E"), nullptr, nullptr);  // B's own E, unrelated to A's
    EXPECT_EQ(event_lookup(of(c_), event_), nullptr);
    class_add_handler(b_, text("E"), 1, code(2));
    EXPECT_EQ(event_lookup(of(c_), event_), code(2));
}

TEST_F(EventLookup, AnEventTheObjectsClassesDoNotDefineHasNoHandler) {
    RuntimeClass* stranger = make_class("Stranger");
    EventDefinition* foreign = class_add_event(stranger, text("E"), nullptr, nullptr);
    class_add_handler(c_, text("E"), 1, code(3));
    EXPECT_EQ(event_lookup(of(c_), foreign), nullptr);
    EXPECT_EQ(event_lookup(nullptr, event_), nullptr);
}

TEST_F(EventLookup, HookCodeIsTheFirstHandlerWithTheKeyFromTheOwnClassUp) {
    class_add_handler(b_, text("E"), 7, code(2));
    class_add_handler(c_, text("E"), 7, code(3));
    class_add_handler(a_, text("F"), 8, code(1));
    struct Case {
        RuntimeClass* cls;
        std::int32_t key;
        void* expected;
    } cases[] = {
        {c_, 7, code(3)}, {b_, 7, code(2)}, {c_, 8, code(1)}, {a_, 7, nullptr}, {c_, 9, nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(RuntimeFindHookCode(of(c.cls), c.key), c.expected) << c.key;
    EXPECT_EQ(RuntimeFindHookCode(nullptr, 7), nullptr);
}

TEST_F(EventLookup, HandlersAddedLaterComeFirstInTheHookLookup) {
    class_add_handler(c_, text("E"), 7, code(3));
    class_add_handler(c_, text("E2"), 7, code(4));
    EXPECT_EQ(RuntimeFindHookCode(of(c_), 7), code(4));
}

}  // namespace
