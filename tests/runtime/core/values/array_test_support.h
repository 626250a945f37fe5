// Shared pieces of the array and variant tests: a fixture that checks that
// every test gives back the objects and memory it took, and array builders.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "values/array.h"
#include "objects/builtin_classes.h"
#include "objects/memory.h"
#include "support/object_test_support.h"
#include "objects/objects.h"
#include "support/raise_catcher.h"
#include "strings/string_functions.h"

inline int live_object_count() {
    int n = 0;
    for (RuntimeObject* o = live_objects_first(); o; o = o->next) ++n;
    return n;
}

class LeakChecked : public FailureReports {
protected:
    static void SetUpTestSuite() {
        // What the first use of classes, exceptions and strings keeps for good.
        builtin_classes_create();
        RuntimeUnlockObject(object_new(builtin_class(BuiltinClass::OutOfBoundsException)));
        RuntimeString* s = string_from_cstr("warm");
        StringStrCompare(s, s, 1);
        RuntimeUnlockString(s);
    }
    void SetUp() override {
        FailureReports::SetUp();
        live_before_ = live_object_count();
        memory_before_ = runtime_memory_use();
    }
    void TearDown() override {
        EXPECT_EQ(live_object_count(), live_before_) << "objects left alive";
        EXPECT_EQ(runtime_memory_use().small_bytes, memory_before_.small_bytes) << "small blocks kept";
        EXPECT_EQ(runtime_memory_use().large_bytes, memory_before_.large_bytes) << "large blocks kept";
        EXPECT_TRUE(reported().empty()) << "failure reports nobody looked at";
        FailureReports::TearDown();
    }

    RuntimeObject* new_object() { return object_new(builtin_class(BuiltinClass::Object)); }

    RaiseCatcher catcher;

private:
    int live_before_ = 0;
    RuntimeMemoryUse memory_before_{};
};

// A one-dimensional array with upper bound `upper`.
inline RuntimeArray* new_array(std::int32_t upper) {
    RuntimeArray* array = RuntimeCreateArray();
    RuntimeArrayCreateAddIndex(array, 0, upper);
    return array;
}

inline RuntimeArray* int_array(std::initializer_list<std::int32_t> values) {
    RuntimeArray* array = new_array(-1);
    for (std::int32_t v : values) RuntimeIntArrayAppend(array, v);
    return array;
}

inline std::vector<std::int32_t> ints_of(RuntimeArray* array) {
    std::vector<std::int32_t> values;
    for (std::int32_t i = 0; i <= RuntimeUBound(array); ++i) values.push_back(RuntimeDirectReadIntArray(array, i));
    return values;
}

inline std::vector<double> doubles_of(RuntimeArray* array) {
    std::vector<double> values;
    for (std::int32_t i = 0; i <= RuntimeUBound(array); ++i) values.push_back(RuntimeDirectReadDoubleArray(array, i));
    return values;
}

// The texts of a string array, each read dropping the reference it gave.
inline std::vector<std::string> texts_of(RuntimeArray* array) {
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i <= RuntimeUBound(array); ++i) {
        RuntimeString* s = RuntimeDirectReadStringArray(array, i);
        texts.emplace_back(string_cstr(s), string_length(s));
        RuntimeUnlockString(s);
    }
    return texts;
}
