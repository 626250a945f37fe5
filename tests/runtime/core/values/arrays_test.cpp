// Arrays: bounds, sparse vectors, element references, list operations,
// several dimensions, redim and disposal.
#include <climits>
#include <functional>

#include "array_test_support.h"

namespace {

class Arrays : public LeakChecked {};

using W = RaiseCatcher;

TEST_F(Arrays, DimensionsTakeUpperMinusLowerAndNoneHasNoElements) {
    struct Case {
        std::int32_t lower, upper, bound;
    } cases[] = {{0, 9, 9}, {1, 10, 9}, {0, -1, -1}, {5, 0, -1}, {0, -7, -1}, {INT_MIN, INT_MAX, INT_MAX}};
    for (const Case& c : cases) {
        RuntimeArray* array = RuntimeCreateArray();
        EXPECT_EQ(RuntimeUBound(array), -1);
        RuntimeArrayCreateAddIndex(array, c.lower, c.upper);
        EXPECT_EQ(RuntimeUBound(array), c.bound) << c.lower << " " << c.upper;
        RuntimeDisposeIntArray(array);
    }
}

TEST_F(Arrays, ElementsNeverWrittenReadAsZeroOrNil) {
    RuntimeArray* ints = new_array(9);
    EXPECT_EQ(RuntimeDirectReadIntArray(ints, 5), 0);
    RuntimeDirectWriteIntArray(ints, 2, 42);
    EXPECT_EQ(ints->elements.count, 3u);  // only what was written is stored
    EXPECT_EQ(RuntimeDirectReadIntArray(ints, 2), 42);
    EXPECT_EQ(RuntimeDirectReadIntArray(ints, 5), 0);
    EXPECT_EQ(RuntimeDirectReadIntArray(ints, 9), 0);

    RuntimeArray* doubles = new_array(9);
    RuntimeDirectWriteDoubleArray(doubles, 1, -2.25);
    EXPECT_EQ(RuntimeDirectReadDoubleArray(doubles, 1), -2.25);
    EXPECT_EQ(RuntimeDirectReadDoubleArray(doubles, 7), 0.0);
    RuntimeArray* singles = new_array(3);
    RuntimeDirectWriteSingleArray(singles, 0, 1.5f);
    EXPECT_EQ(RuntimeDirectReadSingleArray(singles, 0), 1.5f);
    EXPECT_EQ(RuntimeDirectReadSingleArray(singles, 3), 0.0f);
    RuntimeArray* strings = new_array(3);
    EXPECT_EQ(RuntimeDirectReadStringArray(strings, 3), nullptr);
    RuntimeArray* objects = new_array(3);
    EXPECT_EQ(RuntimeDirectReadObjectArray(objects, 0), nullptr);

    RuntimeDisposeIntArray(ints);
    RuntimeDisposeIntArray(doubles);
    RuntimeDisposeIntArray(singles);
    RuntimeDisposeStringArray(strings);
    RuntimeDisposeObjectArray(objects);
}

TEST_F(Arrays, BadIndexesAndWrongShapesRaiseOutOfBoundsAndChangeNothing) {
    RuntimeArray* list = int_array({10, 11, 12});
    RuntimeArray* grid = RuntimeCreateArray();
    RuntimeArrayCreateAddIndex(grid, 0, 1);
    RuntimeArrayCreateAddIndex(grid, 0, 2);
    RuntimeArray* cube = RuntimeCreateArray();
    for (int d = 0; d < 3; ++d) RuntimeArrayCreateAddIndex(cube, 0, 1);
    RuntimeArray* none = RuntimeCreateArray();
    const W::Outcome cube_start = catcher.call(reinterpret_cast<void*>(&RuntimeArrayStartWriteAccess), {W::word(cube), 0});
    ASSERT_EQ(cube_start.raised, nullptr);

    struct Case {
        const char* what;
        const void* entry;
        std::vector<std::uint32_t> words;
    } cases[] = {
        {"read -1", reinterpret_cast<void*>(&RuntimeDirectReadIntArray), {W::word(list), W::word(-1)}},
        {"read past the upper bound", reinterpret_cast<void*>(&RuntimeDirectReadIntArray), {W::word(list), 3}},
        {"write past the upper bound", reinterpret_cast<void*>(&RuntimeDirectWriteIntArray), {W::word(list), 3, 7}},
        {"read a string past it", reinterpret_cast<void*>(&RuntimeDirectReadStringArray), {W::word(list), 3}},
        {"direct read of two dimensions", reinterpret_cast<void*>(&RuntimeDirectReadIntArray), {W::word(grid), 0}},
        {"direct write without dimensions", reinterpret_cast<void*>(&RuntimeDirectWriteIntArray), {W::word(none), 0, 1}},
        {"insert at upper bound + 1", reinterpret_cast<void*>(&RuntimeIntArrayInsert), {W::word(list), 3, 5}},
        {"insert at -1", reinterpret_cast<void*>(&RuntimeIntArrayInsert), {W::word(list), W::word(-1), 5}},
        {"remove past the upper bound", reinterpret_cast<void*>(&RuntimeIntArrayRemove), {W::word(list), 3}},
        {"append to two dimensions", reinterpret_cast<void*>(&RuntimeIntArrayAppend), {W::word(grid), 1}},
        {"a double into integers", reinterpret_cast<void*>(&RuntimeDirectWriteDoubleArray), {W::word(list), 0, 0, 0}},
        {"start past the first bound", reinterpret_cast<void*>(&RuntimeArrayStartReadAccess), {W::word(grid), 2}},
        {"start on one dimension", reinterpret_cast<void*>(&RuntimeArrayStartReadAccess), {W::word(list), 0}},
        {"last index past its bound", reinterpret_cast<void*>(&RuntimeReadIntArray), {W::word(grid), 3}},
        {"add an index at the last dimension", reinterpret_cast<void*>(&RuntimeArrayAddReadIndex), {W::word(grid), 0}},
        {"too few indexes", reinterpret_cast<void*>(&RuntimeWriteIntArray), {W::word(cube), 0, 1}},
        {"redim a dimension it lacks", reinterpret_cast<void*>(&RuntimeRedimIntArrayLevel), {W::word(list), 1, 5}},
    };
    for (const Case& c : cases) {
        if (c.words[0] == W::word(grid)) catcher.call(reinterpret_cast<void*>(&RuntimeArrayStartReadAccess), {W::word(grid), 1});
        W::Outcome outcome{};
        switch (c.words.size()) {
            case 2: outcome = catcher.call(c.entry, {c.words[0], c.words[1]}); break;
            case 3: outcome = catcher.call(c.entry, {c.words[0], c.words[1], c.words[2]}); break;
            case 4: outcome = catcher.call(c.entry, {c.words[0], c.words[1], c.words[2], c.words[3]}); break;
        }
        EXPECT_EQ(outcome.raised, out_of_bounds()) << c.what;
        EXPECT_EQ(ints_of(list), (std::vector<std::int32_t>{10, 11, 12})) << c.what;
    }
    // An index below a part that holds nothing is checked as well.
    catcher.call(reinterpret_cast<void*>(&RuntimeArrayStartReadAccess), {W::word(cube), 1});
    EXPECT_EQ(catcher.call(reinterpret_cast<void*>(&RuntimeArrayAddReadIndex), {W::word(cube), 2}).raised,
              out_of_bounds());
    EXPECT_EQ(RuntimeUBound(grid), 1);
    EXPECT_TRUE(reported().empty());
    RuntimeDisposeIntArray(list);
    RuntimeDisposeIntArray(grid);
    RuntimeDisposeIntArray(cube);
    RuntimeDisposeIntArray(none);
}

TEST_F(Arrays, AppendInsertAndRemoveMoveTheLaterElements) {
    RuntimeArray* list = new_array(-1);
    EXPECT_EQ(RuntimeUBound(list), -1);
    RuntimeIntArrayAppend(list, 1);
    EXPECT_EQ(RuntimeUBound(list), 0);
    RuntimeIntArrayAppend(list, 2);
    RuntimeIntArrayAppend(list, 3);
    RuntimeIntArrayInsert(list, 0, 0);
    RuntimeIntArrayInsert(list, 2, 9);
    EXPECT_EQ(ints_of(list), (std::vector<std::int32_t>{0, 1, 9, 2, 3}));
    RuntimeIntArrayRemove(list, 1);
    RuntimeIntArrayRemove(list, 3);
    EXPECT_EQ(ints_of(list), (std::vector<std::int32_t>{0, 9, 2}));
    for (int i = 0; i < 1000; ++i) RuntimeIntArrayAppend(list, i);
    for (int i = 0; i < 1000; ++i) RuntimeIntArrayRemove(list, 3);
    EXPECT_EQ(ints_of(list), (std::vector<std::int32_t>{0, 9, 2}));
    RuntimeDisposeIntArray(list);

    // Only element 0 of ten is stored: inserting past it keeps the rest zero.
    RuntimeArray* sparse = new_array(9);
    RuntimeDirectWriteIntArray(sparse, 0, 5);
    RuntimeIntArrayInsert(sparse, 4, 7);
    RuntimeIntArrayRemove(sparse, 9);
    RuntimeIntArrayAppend(sparse, 8);
    EXPECT_EQ(ints_of(sparse), (std::vector<std::int32_t>{5, 0, 0, 0, 7, 0, 0, 0, 0, 0, 8}));
    RuntimeDisposeIntArray(sparse);

    RuntimeArray* doubles = new_array(-1);
    RuntimeDoubleArrayAppend(doubles, 2.5);
    RuntimeDoubleArrayAppend(doubles, -1e300);
    RuntimeDoubleArrayInsert(doubles, 1, 0.125);
    RuntimeIntArrayRemove(doubles, 0);  // the plain-element removal serves doubles too
    EXPECT_EQ(doubles_of(doubles), (std::vector<double>{0.125, -1e300}));
    RuntimeDisposeIntArray(doubles);
}

TEST_F(Arrays, ObjectElementsHoldOneReferenceEach) {
    RuntimeObject* a = new_object();
    RuntimeObject* b = new_object();
    RuntimeArray* list = new_array(4);
    RuntimeDirectWriteObjectArray(list, 0, a);
    RuntimeDirectWriteObjectArray(list, 1, a);
    EXPECT_EQ(a->refs, 3);
    RuntimeDirectWriteObjectArray(list, 1, b);  // the old element is released
    EXPECT_EQ(a->refs, 2);
    EXPECT_EQ(b->refs, 2);
    RuntimeDirectWriteObjectArray(list, 1, b);  // storing what is there changes nothing
    EXPECT_EQ(b->refs, 2);
    RuntimeObject* read = RuntimeDirectReadObjectArray(list, 1);
    EXPECT_EQ(read, b);
    EXPECT_EQ(b->refs, 3);  // one for the reader
    RuntimeUnlockObject(read);

    RuntimeObjectArrayInsert(list, 0, b);
    RuntimeObjectArrayAppend(list, a);
    EXPECT_EQ(a->refs, 3);
    EXPECT_EQ(b->refs, 3);
    RuntimeObjectArrayRemove(list, 0);  // b, released once
    EXPECT_EQ(b->refs, 2);
    RuntimeObjectArrayRemove(list, 2);  // never written: nothing to release
    EXPECT_EQ(RuntimeUBound(list), 4);
    RuntimeRedimObjectArrayLevel(list, 0, 0);  // drops b at 1 and a at 4
    EXPECT_EQ(a->refs, 2);
    EXPECT_EQ(b->refs, 1);
    RuntimeDirectWriteObjectArray(list, 0, nullptr);
    EXPECT_EQ(a->refs, 1);
    RuntimeDirectWriteObjectArray(list, 0, a);
    RuntimeDisposeObjectArray(list);
    EXPECT_EQ(a->refs, 1);
    RuntimeUnlockObject(a);
    RuntimeUnlockObject(b);
}

TEST_F(Arrays, StringElementsHoldOneReferenceEach) {
    RuntimeString* s = string_from_cstr("element");
    RuntimeString* t = string_from_cstr("other");
    RuntimeArray* list = new_array(-1);
    RuntimeStringArrayAppend(list, s);
    RuntimeStringArrayAppend(list, t);
    RuntimeStringArrayInsert(list, 1, s);
    RuntimeDirectWriteStringArray(list, 2, s);  // t goes
    EXPECT_EQ(s->refs, 4);
    EXPECT_EQ(t->refs, 1);
    EXPECT_EQ(texts_of(list), (std::vector<std::string>{"element", "element", "element"}));
    EXPECT_EQ(s->refs, 4);
    RuntimeStringArrayRemove(list, 0);
    EXPECT_EQ(s->refs, 3);
    RuntimeRedimStringArrayLevel(list, 0, 0);
    EXPECT_EQ(s->refs, 2);
    RuntimeRedimStringArrayLevel(list, 0, 3);
    EXPECT_EQ(texts_of(list), (std::vector<std::string>{"element", "", "", ""}));
    RuntimeDisposeStringArray(list);
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockString(t);
}

// Objects whose destructor looks at the array they were in.
RuntimeArray* g_watched;
std::vector<std::int32_t> g_seen_bounds;
void note_bound(RuntimeObject*, RuntimeClass*) { g_seen_bounds.push_back(RuntimeUBound(g_watched)); }

class WatchedArray : public Arrays {
protected:
    static void SetUpTestSuite() {
        Arrays::SetUpTestSuite();
        watching = make_class("Watching");
        watching->destructor = &note_bound;
    }
    static RuntimeClass* watching;
};
RuntimeClass* WatchedArray::watching;

TEST_F(WatchedArray, AnElementHasLeftTheArrayWhenItsDestructorRuns) {
    g_watched = new_array(-1);
    g_seen_bounds.clear();
    for (int i = 0; i < 3; ++i) {
        RuntimeObject* o = object_new(watching);
        RuntimeObjectArrayAppend(g_watched, o);
        RuntimeUnlockObject(o);
    }
    RuntimeObjectArrayRemove(g_watched, 1);
    EXPECT_EQ(g_seen_bounds, std::vector<std::int32_t>{1});
    RuntimeDirectWriteObjectArray(g_watched, 0, nullptr);
    RuntimeObject* read = RuntimeDirectReadObjectArray(g_watched, 1);
    RuntimeUnlockObject(read);
    RuntimeDisposeObjectArray(g_watched);
    EXPECT_EQ(g_seen_bounds, (std::vector<std::int32_t>{1, 1, 1}));
}

// Element (i, j, k) of a 2 x 3 x 4 array holds 100i + 10j + k.
void write_cube(RuntimeArray* cube, bool only_odd_i) {
    for (int i = 0; i < 2; ++i) {
        if (only_odd_i && i % 2 == 0) continue;
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 4; ++k) {
                RuntimeArrayStartWriteAccess(cube, i);
                RuntimeArrayAddWriteIndex(cube, j);
                RuntimeWriteIntArray(cube, k, 100 * i + 10 * j + k);
            }
    }
}

std::int32_t read_cube(RuntimeArray* cube, int i, int j, int k) {
    RuntimeArrayStartReadAccess(cube, i);
    RuntimeArrayAddReadIndex(cube, j);
    return RuntimeReadIntArray(cube, k);
}

TEST_F(Arrays, SeveralDimensionsReadBackWhatWasWrittenAndZeroElsewhere) {
    RuntimeArray* cube = RuntimeCreateArray();
    RuntimeArrayCreateAddIndex(cube, 0, 1);
    RuntimeArrayCreateAddIndex(cube, 0, 2);
    RuntimeArrayCreateAddIndex(cube, 0, 3);
    EXPECT_EQ(read_cube(cube, 1, 2, 3), 0);  // nothing stored at all
    write_cube(cube, true);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 4; ++k) EXPECT_EQ(read_cube(cube, i, j, k), i ? 100 * i + 10 * j + k : 0);
    write_cube(cube, false);
    EXPECT_EQ(read_cube(cube, 0, 2, 1), 21);
    EXPECT_EQ(read_cube(cube, 1, 1, 3), 113);

    // Shrinking the middle dimension drops the vectors past it.
    RuntimeRedimIntArrayLevel(cube, 1, 0);
    RuntimeRedimIntArrayLevel(cube, 1, 2);
    EXPECT_EQ(read_cube(cube, 1, 0, 3), 103);
    EXPECT_EQ(read_cube(cube, 1, 2, 3), 0);
    RuntimeRedimIntArrayLevel(cube, 2, 1);
    EXPECT_EQ(read_cube(cube, 0, 0, 1), 1);
    EXPECT_EQ(RuntimeUBound(cube), 1);
    RuntimeDisposeIntArray(cube);
}

TEST_F(Arrays, StringsOfSeveralDimensionsAreReleasedByRedimAndDispose) {
    RuntimeString* s = string_from_cstr("cell");
    RuntimeArray* grid = RuntimeCreateArray();
    RuntimeArrayCreateAddIndex(grid, 0, 2);
    RuntimeArrayCreateAddIndex(grid, 0, 2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            RuntimeArrayStartWriteAccess(grid, i);
            RuntimeWriteStringArray(grid, j, s);
        }
    EXPECT_EQ(s->refs, 10);
    RuntimeArrayStartReadAccess(grid, 2);
    RuntimeString* read = RuntimeReadStringArray(grid, 2);
    EXPECT_EQ(read, s);
    EXPECT_EQ(s->refs, 11);
    RuntimeUnlockString(read);
    RuntimeRedimStringArrayLevel(grid, 0, 1);  // the row at 2 goes
    EXPECT_EQ(s->refs, 7);
    RuntimeRedimStringArrayLevel(grid, 1, 0);  // each row keeps one
    EXPECT_EQ(s->refs, 3);
    RuntimeDisposeStringArray(grid);
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
}

TEST_F(Arrays, ANilArrayOrADimensionTooManyIsReportedAndNothingHappens) {
    RuntimeArrayCreateAddIndex(nullptr, 0, 5);
    EXPECT_EQ(RuntimeDirectReadIntArray(nullptr, 0), 0);
    RuntimeDirectWriteStringArray(nullptr, 0, nullptr);
    EXPECT_EQ(RuntimeUBound(nullptr), -1);
    RuntimeIntArrayAppend(nullptr, 1);
    RuntimeDisposeObjectArray(nullptr);
    EXPECT_EQ(reported(), (std::vector<ReportedFailure>(5, {131, 4, "commonruntime", 192})));
    reported().clear();

    // A 21st dimension, or one added once elements are stored, would make
    // elements of vectors or vectors of elements.
    RuntimeArray* deep = RuntimeCreateArray();
    for (int d = 0; d < 21; ++d) RuntimeArrayCreateAddIndex(deep, 0, d);
    EXPECT_EQ(deep->dimension_count, 20);
    RuntimeArray* filled = new_array(3);
    RuntimeDirectWriteIntArray(filled, 1, 4);
    RuntimeArrayCreateAddIndex(filled, 0, 3);
    EXPECT_EQ(filled->dimension_count, 1);
    EXPECT_EQ(RuntimeDirectReadIntArray(filled, 1), 4);
    EXPECT_EQ(reported(), (std::vector<ReportedFailure>(2, {131, 4, "commonruntime", 192})));
    reported().clear();
    RuntimeDisposeIntArray(deep);
    RuntimeDisposeIntArray(filled);
}

TEST_F(Arrays, AMixOfEveryOperationLeavesNoObjectsAndNoMemoryBehind) {
    const int live_before = live_object_count();
    const RuntimeMemoryUse before = runtime_memory_use();
    RuntimeArray* objects = new_array(-1);
    RuntimeArray* strings = new_array(-1);
    std::string long_text(400, 'q');
    for (int i = 0; i < 300; ++i) {
        RuntimeObject* o = new_object();
        RuntimeObjectArrayAppend(objects, o);
        RuntimeUnlockObject(o);
        RuntimeString* s = i % 3 ? string_from_cstr("short") : string_from_cstr(long_text.c_str());
        if (i == 0) RuntimeStringArrayAppend(strings, s);
        else RuntimeStringArrayInsert(strings, i % 2 ? 0 : RuntimeUBound(strings), s);
        RuntimeUnlockString(s);
    }
    for (int i = 0; i < 100; ++i) RuntimeObjectArrayRemove(objects, i);
    RuntimeRedimObjectArrayLevel(objects, 0, 150);
    RuntimeRedimStringArrayLevel(strings, 0, 1000);
    RuntimeStringArraySort(strings);
    RuntimeDirectWriteStringArray(strings, 1000, nullptr);
    EXPECT_EQ(live_object_count(), live_before + 151);
    RuntimeDisposeObjectArray(objects);
    RuntimeDisposeStringArray(strings);
    EXPECT_EQ(live_object_count(), live_before);
    EXPECT_EQ(runtime_memory_use().small_bytes, before.small_bytes);
    EXPECT_EQ(runtime_memory_use().large_bytes, before.large_bytes);
}

}  // namespace
