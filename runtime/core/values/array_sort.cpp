// Sorting one-dimensional arrays in place, ascending.
#include <utility>

#include "values/array.h"
#include "strings/string_functions.h"

namespace {

struct Range {
    std::int32_t low, high;
};

constexpr std::int32_t kLargestSmallRange = 5;

// Moves the greatest remaining element to the end, again and again.
template <typename T, typename SortsBeforeOrEqual>
void sort_small_range(T* e, Range r, SortsBeforeOrEqual le) {
    for (std::int32_t end = r.high; end > r.low; --end) {
        std::int32_t greatest = r.low;
        for (std::int32_t i = r.low + 1; i <= end; ++i)
            if (!le(e[i], e[greatest])) greatest = i;
        if (greatest != end) std::swap(e[greatest], e[end]);
    }
}

// Ranges of more than five elements are split around their middle element:
// it goes to the front, every later element that sorts before or equal to
// it joins the left part, and it then goes to the end of that part. The two
// parts never meet again, so which one waits on the stack does not change
// the result; keeping the larger one there bounds the stack by the number
// of bits of an index.
template <typename T, typename SortsBeforeOrEqual>
void sort_elements(T* e, std::int32_t count, SortsBeforeOrEqual le) {
    Range waiting[64];
    std::int32_t depth = 0;
    Range r{0, count - 1};
    for (;;) {
        while (r.high - r.low + 1 > kLargestSmallRange) {
            std::swap(e[r.low], e[r.low + (r.high - r.low) / 2]);
            std::int32_t last = r.low;
            for (std::int32_t i = r.low + 1; i <= r.high; ++i)
                if (le(e[i], e[r.low])) std::swap(e[++last], e[i]);
            std::swap(e[r.low], e[last]);
            Range left{r.low, last - 1}, right{last + 1, r.high};
            if (left.high - left.low > right.high - right.low) std::swap(left, right);
            if (right.high > right.low) waiting[depth++] = right;
            r = left;
        }
        sort_small_range(e, r, le);
        if (depth == 0) return;
        r = waiting[--depth];
    }
}

// The elements 0 .. upper bound, all stored; null for a nil or empty array.
template <typename T>
T* sortable_elements(RuntimeArray* array) {
    if (array_missing(array)) return nullptr;
    array_check_one_dimension(array);
    if (array->upper[0] < 0) return nullptr;
    vector_slot(&array->elements, static_cast<std::uint32_t>(array->upper[0]), sizeof(T));
    return reinterpret_cast<T*>(array->elements.data);
}

template <typename T>
void sort_numbers(RuntimeArray* array) {
    if (T* e = sortable_elements<T>(array)) sort_elements(e, array->upper[0] + 1, [](T a, T b) { return a <= b; });
}

}  // namespace

extern "C" void RuntimeIntArraySort(RuntimeArray* array) { sort_numbers<std::int32_t>(array); }
extern "C" void RuntimeSingleArraySort(RuntimeArray* array) { sort_numbers<float>(array); }
extern "C" void RuntimeDoubleArraySort(RuntimeArray* array) { sort_numbers<double>(array); }

extern "C" void RuntimeStringArraySort(RuntimeArray* array) {
    if (RuntimeString** e = sortable_elements<RuntimeString*>(array))
        sort_elements(e, array->upper[0] + 1,
                      [](RuntimeString* a, RuntimeString* b) { return StringStrCompare(a, b, 1) <= 0; });
}
