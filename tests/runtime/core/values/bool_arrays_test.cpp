// Compact boolean arrays against a plain model of the same operations.
#include <cstdlib>

#include "array_test_support.h"
#include "values/bool_array.h"

namespace {

class BoolArrays : public LeakChecked {};

using W = RaiseCatcher;

std::vector<bool> values_of(BoolArray array) {
    std::vector<bool> values;
    for (std::int32_t i = 0; i <= RuntimeFastArrayUBound(array); ++i)
        values.push_back(RuntimeFastReadBoolArray(array, i) == 1);
    return values;
}

TEST_F(BoolArrays, BooleanArraysFollowAModelThroughEveryOperation) {
    BoolArray array = RuntimeCreateFastBooleanArray(2);
    std::vector<bool> model(3, false);
    EXPECT_EQ(values_of(array), model);
    std::srand(7);
    for (int step = 0; step < 3000; ++step) {
        const int size = static_cast<int>(model.size());
        const bool value = std::rand() % 2;
        switch (std::rand() % 6) {
            case 0:
            case 1:
                RuntimeFastBooleanArrayAppend(array, value ? 5 : 0);  // any non-zero value is true
                model.push_back(value);
                break;
            case 2:
                if (!size) break;
                {
                    const int at = std::rand() % size;
                    RuntimeFastBooleanArrayInsert(array, at, value);
                    model.insert(model.begin() + at, value);
                }
                break;
            case 3:
                if (!size) break;
                {
                    const int at = std::rand() % size;
                    RuntimeFastBooleanArrayRemove(array, at);
                    model.erase(model.begin() + at);
                }
                break;
            case 4:
                if (!size) break;
                {
                    const int at = std::rand() % size;
                    RuntimeFastWriteBoolArray(array, at, value);
                    model[at] = value;
                }
                break;
            case 5:
                if (std::rand() % 8) break;
                {
                    const int upper = std::rand() % 40 - 2;  // -2 counts as -1
                    RuntimeRedimFastBoolArray(array, upper);
                    model.resize(upper < 0 ? 0 : upper + 1, false);
                }
                break;
        }
        ASSERT_EQ((*array)->count, model.size()) << step;
    }
    EXPECT_EQ(values_of(array), model);
    RuntimeDisposeFastBooleanArray(array);
    RuntimeDisposeFastBooleanArray(nullptr);
}

TEST_F(BoolArrays, BooleanArraysRaiseOutOfBoundsAndStayAsTheyWere) {
    BoolArray array = RuntimeCreateFastBooleanArray(-1);
    EXPECT_EQ(RuntimeFastArrayUBound(array), -1);
    RuntimeFastBooleanArrayAppend(array, 1);
    EXPECT_EQ(RuntimeFastArrayUBound(array), 0);
    struct Case {
        const char* what;
        const void* entry;
        std::int32_t index;
    } cases[] = {
        {"read -1", reinterpret_cast<void*>(&RuntimeFastReadBoolArray), -1},
        {"read past", reinterpret_cast<void*>(&RuntimeFastReadBoolArray), 1},
        {"write past", reinterpret_cast<void*>(&RuntimeFastWriteBoolArray), 1},
        {"insert at upper bound + 1", reinterpret_cast<void*>(&RuntimeFastBooleanArrayInsert), 1},
        {"remove past", reinterpret_cast<void*>(&RuntimeFastBooleanArrayRemove), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(catcher.call(c.entry, {W::word(array), W::word(c.index), 0}).raised, out_of_bounds()) << c.what;
        EXPECT_EQ(values_of(array), std::vector<bool>{true}) << c.what;
    }
    EXPECT_EQ(catcher.call(reinterpret_cast<void*>(&RuntimeFastReadBoolArray), {W::word(array), 0}).eax, 1u);
    RuntimeDisposeFastBooleanArray(array);
}

}  // namespace
