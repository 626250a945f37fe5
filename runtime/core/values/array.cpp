// Arrays: creation, dimensions, and reading and writing elements.
#include "values/array.h"

#include <climits>
#include <cstring>

#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

template <typename T>
T read_element(const ArrayVector* v, std::int32_t i) {
    T value{};
    if (const std::uint8_t* slot = vector_element(v, static_cast<std::uint32_t>(i), sizeof(T)))
        std::memcpy(&value, slot, sizeof value);
    return value;
}

template <typename T>
void write_element(ArrayVector* v, std::int32_t i, T value) {
    std::memcpy(vector_slot(v, static_cast<std::uint32_t>(i), sizeof(T)), &value, sizeof value);
}

RuntimeString* read_string(const ArrayVector* v, std::int32_t i) {
    RuntimeString* s = read_element<RuntimeString*>(v, i);
    RuntimeLockString(s);
    return s;
}

RuntimeObject* read_object(const ArrayVector* v, std::int32_t i) {
    return RuntimeLockObject(read_element<RuntimeObject*>(v, i));
}

void write_string(ArrayVector* v, std::int32_t i, RuntimeString* value) {
    slot_store_string(vector_slot(v, static_cast<std::uint32_t>(i), 4), value);
}

void write_object(ArrayVector* v, std::int32_t i, RuntimeObject* value) {
    slot_store_object(vector_slot(v, static_cast<std::uint32_t>(i), 4), value);
}

// The vector of a one-dimensional array, once i is known to be valid; null
// for a nil array.
ArrayVector* direct_vector(RuntimeArray* array, std::int32_t i) {
    if (array_missing(array)) return nullptr;
    array_check_one_dimension(array);
    array_check_index(i, array->upper[0]);
    return &array->elements;
}

// The vector of the last dimension that a multi-dimensional access has
// reached, once i is known to be valid there; null when nothing is stored
// there or the array is nil. Too few or too many indexes raise like a bad
// one, so that an element is never taken for a vector or the other way.
ArrayVector* reached_vector(RuntimeArray* array, std::int32_t i) {
    if (array_missing(array)) return nullptr;
    if (array->access_level < 1 || array->access_level != array->dimension_count - 1) array_raise_out_of_bounds();
    array_check_index(i, array->upper[array->access_level]);
    return array->access_cursor;
}

// The write side: with a vector reached, or raising when the access was
// begun as a read.
ArrayVector* reached_vector_for_write(RuntimeArray* array, std::int32_t i) {
    ArrayVector* v = reached_vector(array, i);
    if (array && !v) array_raise_out_of_bounds();
    return v;
}

ArrayVector* sub_vector(ArrayVector* v, std::int32_t i) { return read_element<ArrayVector*>(v, i); }

// The sub-vector at i, made (empty) when there is none.
ArrayVector* sub_vector_for_write(ArrayVector* v, std::int32_t i) {
    auto* slot = reinterpret_cast<ArrayVector**>(vector_slot(v, static_cast<std::uint32_t>(i), 4));
    if (!*slot) *slot = static_cast<ArrayVector*>(runtime_alloc(sizeof(ArrayVector)));
    return *slot;
}

// Start access: the array must have a further dimension after the first.
bool start_access(RuntimeArray* array, std::int32_t i) {
    if (array_missing(array)) return false;
    if (array->dimension_count < 2) array_raise_out_of_bounds();
    array_check_index(i, array->upper[0]);
    array->access_level = 1;
    return true;
}

bool add_index(RuntimeArray* array, std::int32_t i) {
    if (array_missing(array)) return false;
    const std::int32_t level = array->access_level;
    if (level < 1 || level >= array->dimension_count - 1) array_raise_out_of_bounds();
    array_check_index(i, array->upper[level]);
    array->access_level = level + 1;
    return true;
}

}  // namespace

extern "C" RuntimeArray* RuntimeCreateArray() {
    return static_cast<RuntimeArray*>(runtime_alloc(sizeof(RuntimeArray)));
}

// Dimensions are added before any element is written; an upper bound below
// -1 means no elements, like -1.
extern "C" void RuntimeArrayCreateAddIndex(RuntimeArray* array, std::int32_t lower, std::int32_t upper) {
    if (array_missing(array)) return;
    if (array->dimension_count == kMaxArrayDimensions || array->elements.count) {
        runtime_failure_report(131, 4, "commonruntime", 192);
        return;
    }
    std::int64_t bound = static_cast<std::int64_t>(upper) - lower;
    if (bound < -1) bound = -1;
    if (bound > INT_MAX) bound = INT_MAX;
    array->upper[array->dimension_count++] = static_cast<std::int32_t>(bound);
}

extern "C" std::int32_t RuntimeUBound(RuntimeArray* array) {
    if (array_missing(array)) return -1;
    return array->dimension_count ? array->upper[0] : -1;
}

extern "C" std::int32_t RuntimeDirectReadIntArray(RuntimeArray* array, std::int32_t i) {
    return read_element<std::int32_t>(direct_vector(array, i), i);
}
extern "C" float RuntimeDirectReadSingleArray(RuntimeArray* array, std::int32_t i) {
    return read_element<float>(direct_vector(array, i), i);
}
extern "C" double RuntimeDirectReadDoubleArray(RuntimeArray* array, std::int32_t i) {
    return read_element<double>(direct_vector(array, i), i);
}
extern "C" RuntimeString* RuntimeDirectReadStringArray(RuntimeArray* array, std::int32_t i) {
    return read_string(direct_vector(array, i), i);
}
extern "C" RuntimeObject* RuntimeDirectReadObjectArray(RuntimeArray* array, std::int32_t i) {
    return read_object(direct_vector(array, i), i);
}

extern "C" void RuntimeDirectWriteIntArray(RuntimeArray* array, std::int32_t i, std::int32_t value) {
    if (ArrayVector* v = direct_vector(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeDirectWriteSingleArray(RuntimeArray* array, std::int32_t i, float value) {
    if (ArrayVector* v = direct_vector(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeDirectWriteDoubleArray(RuntimeArray* array, std::int32_t i, double value) {
    if (ArrayVector* v = direct_vector(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeDirectWriteStringArray(RuntimeArray* array, std::int32_t i, RuntimeString* value) {
    if (ArrayVector* v = direct_vector(array, i)) write_string(v, i, value);
}
extern "C" void RuntimeDirectWriteObjectArray(RuntimeArray* array, std::int32_t i, RuntimeObject* value) {
    if (ArrayVector* v = direct_vector(array, i)) write_object(v, i, value);
}

extern "C" void RuntimeArrayStartReadAccess(RuntimeArray* array, std::int32_t i) {
    if (start_access(array, i)) array->access_cursor = sub_vector(&array->elements, i);
}
extern "C" void RuntimeArrayStartWriteAccess(RuntimeArray* array, std::int32_t i) {
    if (start_access(array, i)) array->access_cursor = sub_vector_for_write(&array->elements, i);
}

// Every index is checked, also below a part of the array that holds nothing.
extern "C" void RuntimeArrayAddReadIndex(RuntimeArray* array, std::int32_t i) {
    if (add_index(array, i)) array->access_cursor = sub_vector(array->access_cursor, i);
}
extern "C" void RuntimeArrayAddWriteIndex(RuntimeArray* array, std::int32_t i) {
    if (!add_index(array, i)) return;
    if (!array->access_cursor) array_raise_out_of_bounds();
    array->access_cursor = sub_vector_for_write(array->access_cursor, i);
}

extern "C" std::int32_t RuntimeReadIntArray(RuntimeArray* array, std::int32_t i) {
    return read_element<std::int32_t>(reached_vector(array, i), i);
}
extern "C" float RuntimeReadSingleArray(RuntimeArray* array, std::int32_t i) {
    return read_element<float>(reached_vector(array, i), i);
}
extern "C" double RuntimeReadDoubleArray(RuntimeArray* array, std::int32_t i) {
    return read_element<double>(reached_vector(array, i), i);
}
extern "C" RuntimeString* RuntimeReadStringArray(RuntimeArray* array, std::int32_t i) {
    return read_string(reached_vector(array, i), i);
}
extern "C" RuntimeObject* RuntimeReadObjectArray(RuntimeArray* array, std::int32_t i) {
    return read_object(reached_vector(array, i), i);
}

extern "C" void RuntimeWriteIntArray(RuntimeArray* array, std::int32_t i, std::int32_t value) {
    if (ArrayVector* v = reached_vector_for_write(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeWriteSingleArray(RuntimeArray* array, std::int32_t i, float value) {
    if (ArrayVector* v = reached_vector_for_write(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeWriteDoubleArray(RuntimeArray* array, std::int32_t i, double value) {
    if (ArrayVector* v = reached_vector_for_write(array, i)) write_element(v, i, value);
}
extern "C" void RuntimeWriteStringArray(RuntimeArray* array, std::int32_t i, RuntimeString* value) {
    if (ArrayVector* v = reached_vector_for_write(array, i)) write_string(v, i, value);
}
extern "C" void RuntimeWriteObjectArray(RuntimeArray* array, std::int32_t i, RuntimeObject* value) {
    if (ArrayVector* v = reached_vector_for_write(array, i)) write_object(v, i, value);
}
