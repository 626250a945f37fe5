// Arrays of compiled code: plain runtime structures, not objects, created,
// indexed, resized and disposed of explicitly through the entry points
// below. The elements of a dimension live in a vector that holds only what
// has been written so far; elements never written read as 0 or nil. In an
// array of several dimensions every element of a dimension but the last is
// a vector of the next one, or empty. Indexes run from 0 to the upper bound
// of their dimension; any other index raises OutOfBoundsException and leaves
// the array as it was.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeString;
struct RuntimeObject;

struct ArrayVector {
    std::uint8_t* data;          // capacity * element_size bytes, zero past count
    std::uint32_t count;         // elements stored
    std::uint32_t capacity;      // elements there is room for
    std::uint32_t element_size;  // 4, or 8 for doubles; set by the first element
};

constexpr std::int32_t kMaxArrayDimensions = 20;

struct RuntimeArray {
    ArrayVector elements;  // the first dimension
    std::int32_t dimension_count;
    std::int32_t upper[kMaxArrayDimensions];
    // During a multi-dimensional access: the dimension reached and its
    // vector (null while a read has found nothing stored).
    std::int32_t access_level;
    ArrayVector* access_cursor;
};
static_assert(sizeof(RuntimeArray) == 108, "compiled code's arrays are 108-byte structures");

// What the elements of the last dimension hold, for releasing them.
enum class ArrayElements { Plain, Strings, Objects };

// Shared by the array modules.
[[noreturn]] void array_raise_out_of_bounds();
// True, after the failure report, for a nil array.
bool array_missing(const RuntimeArray* array);
// Raises unless 0 <= i <= upper.
void array_check_index(std::int32_t i, std::int32_t upper);
// Raises unless the array has exactly one dimension.
void array_check_one_dimension(const RuntimeArray* array);
// The address of element i, stored first (zero) when the vector holds fewer.
// A vector keeps the element size of its first element; an access of
// another size raises, as no element of that size can be there.
std::uint8_t* vector_slot(ArrayVector* vector, std::uint32_t i, std::uint32_t element_size);
// The address of element i, or null when it is not stored.
const std::uint8_t* vector_element(const ArrayVector* vector, std::uint32_t i, std::uint32_t element_size);
// Room for `count` elements of the vector's size, the new ones zero.
void vector_reserve(ArrayVector* vector, std::uint32_t count);
// A zero element at i, the elements from i on moved up by one.
std::uint8_t* vector_insert(ArrayVector* vector, std::uint32_t i, std::uint32_t element_size);
// Takes element i out into `removed` (element size bytes, zero when it was
// not stored), moving the later ones down.
void vector_remove(ArrayVector* vector, std::uint32_t i, std::uint8_t (&removed)[8]);
// Stores a string or object in a slot: the new reference is taken before
// the old one is released, which may run a destructor.
void slot_store_string(std::uint8_t* slot, RuntimeString* value);
void slot_store_object(std::uint8_t* slot, RuntimeObject* value);
// Releases a string or object element read out of a vector.
void element_release(const std::uint8_t* element, ArrayElements elements);
// Drops the elements from `keep` on, last first: releases them when they
// are strings or objects (levels_below == 0), or disposes of the vectors
// they are (levels_below > 0). Each element leaves the vector before it is
// released, so a destructor that raises finds the array in order.
void vector_drop_from(ArrayVector* vector, std::uint32_t keep, std::int32_t levels_below, ArrayElements elements);

extern "C" {
RuntimeArray* RuntimeCreateArray();
void RuntimeArrayCreateAddIndex(RuntimeArray* array, std::int32_t lower, std::int32_t upper);
std::int32_t RuntimeUBound(RuntimeArray* array);

// One-dimensional arrays. Strings and objects read come with a reference
// for the caller; written ones are referenced by the array.
std::int32_t RuntimeDirectReadIntArray(RuntimeArray* array, std::int32_t i);
float RuntimeDirectReadSingleArray(RuntimeArray* array, std::int32_t i);
double RuntimeDirectReadDoubleArray(RuntimeArray* array, std::int32_t i);
RuntimeString* RuntimeDirectReadStringArray(RuntimeArray* array, std::int32_t i);
RuntimeObject* RuntimeDirectReadObjectArray(RuntimeArray* array, std::int32_t i);
void RuntimeDirectWriteIntArray(RuntimeArray* array, std::int32_t i, std::int32_t value);
void RuntimeDirectWriteSingleArray(RuntimeArray* array, std::int32_t i, float value);
void RuntimeDirectWriteDoubleArray(RuntimeArray* array, std::int32_t i, double value);
void RuntimeDirectWriteStringArray(RuntimeArray* array, std::int32_t i, RuntimeString* value);
void RuntimeDirectWriteObjectArray(RuntimeArray* array, std::int32_t i, RuntimeObject* value);

// Several dimensions: start with the first index, add one per further
// dimension but the last, then read or write with the last index.
void RuntimeArrayStartReadAccess(RuntimeArray* array, std::int32_t i);
void RuntimeArrayStartWriteAccess(RuntimeArray* array, std::int32_t i);
void RuntimeArrayAddReadIndex(RuntimeArray* array, std::int32_t i);
void RuntimeArrayAddWriteIndex(RuntimeArray* array, std::int32_t i);
std::int32_t RuntimeReadIntArray(RuntimeArray* array, std::int32_t i);
float RuntimeReadSingleArray(RuntimeArray* array, std::int32_t i);
double RuntimeReadDoubleArray(RuntimeArray* array, std::int32_t i);
RuntimeString* RuntimeReadStringArray(RuntimeArray* array, std::int32_t i);
RuntimeObject* RuntimeReadObjectArray(RuntimeArray* array, std::int32_t i);
void RuntimeWriteIntArray(RuntimeArray* array, std::int32_t i, std::int32_t value);
void RuntimeWriteSingleArray(RuntimeArray* array, std::int32_t i, float value);
void RuntimeWriteDoubleArray(RuntimeArray* array, std::int32_t i, double value);
void RuntimeWriteStringArray(RuntimeArray* array, std::int32_t i, RuntimeString* value);
void RuntimeWriteObjectArray(RuntimeArray* array, std::int32_t i, RuntimeObject* value);

// List operations on one-dimensional arrays.
void RuntimeIntArrayAppend(RuntimeArray* array, std::int32_t value);
void RuntimeSingleArrayAppend(RuntimeArray* array, float value);
void RuntimeDoubleArrayAppend(RuntimeArray* array, double value);
void RuntimeStringArrayAppend(RuntimeArray* array, RuntimeString* value);
void RuntimeObjectArrayAppend(RuntimeArray* array, RuntimeObject* value);
void RuntimeIntArrayInsert(RuntimeArray* array, std::int32_t index, std::int32_t value);
void RuntimeSingleArrayInsert(RuntimeArray* array, std::int32_t index, float value);
void RuntimeDoubleArrayInsert(RuntimeArray* array, std::int32_t index, double value);
void RuntimeStringArrayInsert(RuntimeArray* array, std::int32_t index, RuntimeString* value);
void RuntimeObjectArrayInsert(RuntimeArray* array, std::int32_t index, RuntimeObject* value);
// The Int form serves every array of plain elements (Single and Double too).
void RuntimeIntArrayRemove(RuntimeArray* array, std::int32_t index);
void RuntimeStringArrayRemove(RuntimeArray* array, std::int32_t index);
void RuntimeObjectArrayRemove(RuntimeArray* array, std::int32_t index);

// Ascending; strings with letter case ignored. Not stable.
void RuntimeIntArraySort(RuntimeArray* array);
void RuntimeSingleArraySort(RuntimeArray* array);
void RuntimeDoubleArraySort(RuntimeArray* array);
void RuntimeStringArraySort(RuntimeArray* array);

// Dimensions count from 0. The Int forms serve every array of plain
// elements; a nil array is ignored by the Dispose forms.
void RuntimeRedimIntArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper);
void RuntimeRedimStringArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper);
void RuntimeRedimObjectArrayLevel(RuntimeArray* array, std::int32_t dimension, std::int32_t upper);
void RuntimeDisposeIntArray(RuntimeArray* array);
void RuntimeDisposeStringArray(RuntimeArray* array);
void RuntimeDisposeObjectArray(RuntimeArray* array);
}
