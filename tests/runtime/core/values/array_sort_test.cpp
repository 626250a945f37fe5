// Sorting arrays: against std::sort, and against the algorithm written out
// plainly, which fixes where elements that compare equal end up.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "array_test_support.h"

namespace {

class ArraySort : public LeakChecked {};

// The sort as its description reads: the right part of every split waits on
// the stack while the left part goes on.
template <typename T, typename Le>
void reference_sort(std::vector<T>& e, Le le) {
    std::vector<std::pair<int, int>> stack{{0, static_cast<int>(e.size()) - 1}};
    while (!stack.empty()) {
        auto [low, high] = stack.back();
        stack.pop_back();
        while (high - low + 1 > 5) {
            std::swap(e[low], e[(low + high) / 2]);
            int last = low;
            for (int i = low + 1; i <= high; ++i)
                if (le(e[i], e[low])) std::swap(e[++last], e[i]);
            std::swap(e[low], e[last]);
            stack.push_back({last + 1, high});
            high = last - 1;
        }
        for (int end = high; end > low; --end) {
            int greatest = low;
            for (int i = low + 1; i <= end; ++i)
                if (!le(e[i], e[greatest])) greatest = i;
            std::swap(e[greatest], e[end]);
        }
    }
}

TEST_F(ArraySort, NumbersSortLikeStdSortAlsoWithManyEqualKeys) {
    std::srand(11);
    for (int size : {0, 1, 2, 5, 6, 7, 31, 500, 3000}) {
        for (int key_range : {2, 10, 1000000}) {
            std::vector<std::int32_t> ints;
            std::vector<double> doubles;
            RuntimeArray* int_list = new_array(-1);
            RuntimeArray* double_list = new_array(-1);
            RuntimeArray* single_list = new_array(-1);
            for (int i = 0; i < size; ++i) {
                const std::int32_t key = std::rand() % key_range - key_range / 2;
                ints.push_back(key);
                doubles.push_back(key / 8.0);
                RuntimeIntArrayAppend(int_list, key);
                RuntimeDoubleArrayAppend(double_list, key / 8.0);
                RuntimeSingleArrayAppend(single_list, static_cast<float>(key));
            }
            std::sort(ints.begin(), ints.end());
            std::sort(doubles.begin(), doubles.end());
            RuntimeIntArraySort(int_list);
            RuntimeDoubleArraySort(double_list);
            RuntimeSingleArraySort(single_list);
            EXPECT_EQ(ints_of(int_list), ints) << size << " " << key_range;
            EXPECT_EQ(doubles_of(double_list), doubles) << size << " " << key_range;
            for (int i = 0; i < size; ++i)
                ASSERT_EQ(RuntimeDirectReadSingleArray(single_list, i), static_cast<float>(ints[i])) << size;
            RuntimeDisposeIntArray(int_list);
            RuntimeDisposeIntArray(double_list);
            RuntimeDisposeIntArray(single_list);
        }
    }
}

TEST_F(ArraySort, SortingCoversElementsNeverWritten) {
    RuntimeArray* list = new_array(9);
    RuntimeDirectWriteIntArray(list, 0, 5);
    RuntimeDirectWriteIntArray(list, 3, -3);
    RuntimeDirectWriteIntArray(list, 4, 2);
    RuntimeIntArraySort(list);
    EXPECT_EQ(ints_of(list), (std::vector<std::int32_t>{-3, 0, 0, 0, 0, 0, 0, 0, 2, 5}));
    RuntimeDisposeIntArray(list);
}

TEST_F(ArraySort, StringsSortIgnoringCaseAndEqualOnesLandWhereTheAlgorithmPutsThem) {
    std::srand(3);
    const auto le = [](RuntimeString* a, RuntimeString* b) { return StringStrCompare(a, b, 1) <= 0; };
    for (int size : {6, 40, 700}) {
        std::vector<RuntimeString*> expected;
        RuntimeArray* list = new_array(-1);
        for (int i = 0; i < size; ++i) {
            // Few distinct words, in every mix of letter case.
            std::string word = std::string("abc").substr(0, 1 + std::rand() % 3);
            for (char& c : word)
                if (std::rand() % 2) c = static_cast<char>(c - 'a' + 'A');
            RuntimeString* s = i % 17 ? string_from_cstr(word.c_str()) : nullptr;
            RuntimeStringArrayAppend(list, s);
            expected.push_back(s);
            RuntimeUnlockString(s);
        }
        reference_sort(expected, le);
        RuntimeStringArraySort(list);
        for (int i = 0; i < size; ++i) {
            RuntimeString* s = RuntimeDirectReadStringArray(list, i);
            EXPECT_EQ(s, expected[i]) << size << " at " << i;
            if (i) {
                EXPECT_TRUE(le(expected[i - 1], expected[i]));
            }
            RuntimeUnlockString(s);
        }
        RuntimeDisposeStringArray(list);
    }
}

TEST_F(ArraySort, SixStringsDifferingOnlyInCaseStaySixEqualOnes) {
    const char* words[] = {"Tune", "tune", "TUNE", "tUne", "tuNE", "TuNe"};
    RuntimeArray* list = new_array(-1);
    for (const char* w : words) {
        RuntimeString* s = string_from_cstr(w);
        RuntimeStringArrayAppend(list, s);
        RuntimeUnlockString(s);
    }
    RuntimeStringArraySort(list);
    std::vector<std::string> sorted = texts_of(list), original(std::begin(words), std::end(words));
    std::sort(sorted.begin(), sorted.end());
    std::sort(original.begin(), original.end());
    EXPECT_EQ(sorted, original);
    RuntimeDisposeStringArray(list);
}

}  // namespace
