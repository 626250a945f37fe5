// Append, insert and remove on one-dimensional arrays.
#include <climits>
#include <cstring>

#include "values/array.h"

namespace {

// Null for a nil array.
ArrayVector* list_vector(RuntimeArray* array) {
    if (array_missing(array)) return nullptr;
    array_check_one_dimension(array);
    return &array->elements;
}

std::int32_t grown_upper(const RuntimeArray* array) {
    if (array->upper[0] == INT_MAX) array_raise_out_of_bounds();
    return array->upper[0] + 1;
}

// The zero slot at the new upper bound, which the caller fills.
std::uint8_t* append_slot(RuntimeArray* array, std::uint32_t element_size) {
    ArrayVector* v = list_vector(array);
    if (!v) return nullptr;
    const std::int32_t upper = grown_upper(array);
    std::uint8_t* slot = vector_slot(v, static_cast<std::uint32_t>(upper), element_size);
    array->upper[0] = upper;
    return slot;
}

std::uint8_t* insert_slot(RuntimeArray* array, std::int32_t index, std::uint32_t element_size) {
    ArrayVector* v = list_vector(array);
    if (!v) return nullptr;
    array_check_index(index, array->upper[0]);
    const std::int32_t upper = grown_upper(array);
    std::uint8_t* slot = vector_insert(v, static_cast<std::uint32_t>(index), element_size);
    array->upper[0] = upper;
    return slot;
}

template <typename T>
void put(std::uint8_t* slot, T value) {
    if (slot) std::memcpy(slot, &value, sizeof value);
}

void put_string(std::uint8_t* slot, RuntimeString* value) {
    if (slot) slot_store_string(slot, value);
}

void put_object(std::uint8_t* slot, RuntimeObject* value) {
    if (slot) slot_store_object(slot, value);
}

// The element leaves the array before it is released.
void remove_element(RuntimeArray* array, std::int32_t index, ArrayElements elements) {
    ArrayVector* v = list_vector(array);
    if (!v) return;
    array_check_index(index, array->upper[0]);
    std::uint8_t removed[8];
    vector_remove(v, static_cast<std::uint32_t>(index), removed);
    --array->upper[0];
    element_release(removed, elements);
}

}  // namespace

extern "C" void RuntimeIntArrayAppend(RuntimeArray* array, std::int32_t value) {
    put(append_slot(array, sizeof value), value);
}
extern "C" void RuntimeSingleArrayAppend(RuntimeArray* array, float value) {
    put(append_slot(array, sizeof value), value);
}
extern "C" void RuntimeDoubleArrayAppend(RuntimeArray* array, double value) {
    put(append_slot(array, sizeof value), value);
}
extern "C" void RuntimeStringArrayAppend(RuntimeArray* array, RuntimeString* value) {
    put_string(append_slot(array, sizeof value), value);
}
extern "C" void RuntimeObjectArrayAppend(RuntimeArray* array, RuntimeObject* value) {
    put_object(append_slot(array, sizeof value), value);
}

extern "C" void RuntimeIntArrayInsert(RuntimeArray* array, std::int32_t index, std::int32_t value) {
    put(insert_slot(array, index, sizeof value), value);
}
extern "C" void RuntimeSingleArrayInsert(RuntimeArray* array, std::int32_t index, float value) {
    put(insert_slot(array, index, sizeof value), value);
}
extern "C" void RuntimeDoubleArrayInsert(RuntimeArray* array, std::int32_t index, double value) {
    put(insert_slot(array, index, sizeof value), value);
}
extern "C" void RuntimeStringArrayInsert(RuntimeArray* array, std::int32_t index, RuntimeString* value) {
    put_string(insert_slot(array, index, sizeof value), value);
}
extern "C" void RuntimeObjectArrayInsert(RuntimeArray* array, std::int32_t index, RuntimeObject* value) {
    put_object(insert_slot(array, index, sizeof value), value);
}

extern "C" void RuntimeIntArrayRemove(RuntimeArray* array, std::int32_t index) {
    remove_element(array, index, ArrayElements::Plain);
}
extern "C" void RuntimeStringArrayRemove(RuntimeArray* array, std::int32_t index) {
    remove_element(array, index, ArrayElements::Strings);
}
extern "C" void RuntimeObjectArrayRemove(RuntimeArray* array, std::int32_t index) {
    remove_element(array, index, ArrayElements::Objects);
}
