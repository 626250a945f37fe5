// Changing an upper bound, and disposing of arrays.
#include <cstring>

#include "values/array.h"
#include "objects/memory.h"

namespace {

// Shrinks every vector `depth` levels below v to `keep` elements.
void shrink_level(ArrayVector* v, std::int32_t depth, std::uint32_t keep, std::int32_t levels_below,
                  ArrayElements elements) {
    if (depth == 0) {
        vector_drop_from(v, keep, levels_below, elements);
        return;
    }
    for (std::uint32_t i = 0; i < v->count; ++i) {
        ArrayVector* sub;
        std::memcpy(&sub, v->data + i * sizeof sub, sizeof sub);
        if (sub) shrink_level(sub, depth - 1, keep, levels_below, elements);
    }
}

// Elements past the new bound are dropped; a larger bound needs no storage,
// as elements never written read as 0 or nil. The bound changes once the
// elements are gone, and a multi-dimensional access under way ends, as its
// vector may be gone.
void redim(RuntimeArray* array, std::int32_t dimension, std::int32_t upper, ArrayElements elements) {
    if (array_missing(array)) return;
    if (dimension < 0 || dimension >= array->dimension_count) array_raise_out_of_bounds();
    if (upper < -1) upper = -1;
    array->access_level = 0;
    array->access_cursor = nullptr;
    shrink_level(&array->elements, dimension, static_cast<std::uint32_t>(upper + 1),
                 array->dimension_count - 1 - dimension, elements);
    array->upper[dimension] = upper;
}

void dispose(RuntimeArray* array, ArrayElements elements) {
    if (!array) return;
    const std::int32_t levels_below = array->dimension_count > 1 ? array->dimension_count - 1 : 0;
    vector_drop_from(&array->elements, 0, levels_below, elements);
    runtime_free(array, sizeof *array);
}

}  // namespace

extern "C" void RuntimeRedimIntArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper) {
    redim(array, dimension, upper, ArrayElements::Plain);
}
extern "C" void RuntimeRedimStringArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper) {
    redim(array, dimension, upper, ArrayElements::Strings);
}
extern "C" void RuntimeRedimObjectArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper) {
    redim(array, dimension, upper, ArrayElements::Objects);
}

extern "C" void RuntimeDisposeIntArray(RuntimeArray* array) { dispose(array, ArrayElements::Plain); }
extern "C" void RuntimeDisposeStringArray(RuntimeArray* array) { dispose(array, ArrayElements::Strings); }
extern "C" void RuntimeDisposeObjectArray(RuntimeArray* array) { dispose(array, ArrayElements::Objects); }
