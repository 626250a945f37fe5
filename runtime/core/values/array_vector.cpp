// Vectors of array elements and the checks every array entry point shares.
#include <windows.h>

#include <cstring>

#include "values/array.h"
#include "objects/builtin_classes.h"
#include "exceptions/exceptions.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

// No 32-bit heap gives a block this large.
constexpr std::uint64_t kLargestVectorBytes = 0x7FFFFFFF;

std::size_t bytes_of(const ArrayVector* v, std::uint32_t count) {
    return static_cast<std::size_t>(count) * v->element_size;
}

void move_to_block(ArrayVector* v, std::uint32_t capacity) {
    std::uint8_t* block = capacity ? static_cast<std::uint8_t*>(runtime_alloc(bytes_of(v, capacity))) : nullptr;
    if (v->count) std::memcpy(block, v->data, bytes_of(v, v->count));
    runtime_free(v->data, bytes_of(v, v->capacity));
    v->data = block;
    v->capacity = capacity;
}

// Gives back the room of a vector that has shrunk to a quarter or less.
void fit(ArrayVector* v) {
    if (v->count <= v->capacity / 4) move_to_block(v, v->count);
}

}  // namespace

void element_release(const std::uint8_t* element, ArrayElements elements) {
    void* reference;
    std::memcpy(&reference, element, sizeof reference);
    if (elements == ArrayElements::Strings) RuntimeUnlockString(static_cast<RuntimeString*>(reference));
    else if (elements == ArrayElements::Objects) RuntimeUnlockObject(static_cast<RuntimeObject*>(reference));
}

void slot_store_string(std::uint8_t* slot, RuntimeString* value) {
    string_assign(reinterpret_cast<RuntimeString**>(slot), value);
}

void slot_store_object(std::uint8_t* slot, RuntimeObject* value) {
    RuntimeObject* old;
    std::memcpy(&old, slot, sizeof old);
    RuntimeLockObject(value);
    std::memcpy(slot, &value, sizeof value);
    RuntimeUnlockObject(old);
}

void array_raise_out_of_bounds() { object_raise_new(builtin_class(BuiltinClass::OutOfBoundsException)); }

bool array_missing(const RuntimeArray* array) {
    if (array) return false;
    runtime_failure_report(131, 4, "commonruntime", 192);
    return true;
}

void array_check_index(std::int32_t i, std::int32_t upper) {
    if (i < 0 || i > upper) array_raise_out_of_bounds();
}

void array_check_one_dimension(const RuntimeArray* array) {
    if (array->dimension_count != 1) array_raise_out_of_bounds();
}

void vector_reserve(ArrayVector* v, std::uint32_t count) {
    if (count <= v->capacity) return;
    std::uint64_t capacity = v->capacity + v->capacity / 2;
    if (capacity < count) capacity = count;
    if (capacity < 4) capacity = 4;
    if (capacity * v->element_size > kLargestVectorBytes) capacity = count;
    // As on any exhaustion of memory, the process ends.
    if (static_cast<std::uint64_t>(count) * v->element_size > kLargestVectorBytes) ExitProcess(0);
    move_to_block(v, static_cast<std::uint32_t>(capacity));
}

std::uint8_t* vector_slot(ArrayVector* v, std::uint32_t i, std::uint32_t element_size) {
    if (!v->data) v->element_size = element_size;
    else if (v->element_size != element_size) array_raise_out_of_bounds();
    if (i >= v->count) {
        vector_reserve(v, i + 1);
        v->count = i + 1;
    }
    return v->data + static_cast<std::size_t>(i) * element_size;
}

const std::uint8_t* vector_element(const ArrayVector* v, std::uint32_t i, std::uint32_t element_size) {
    if (!v || i >= v->count) return nullptr;
    if (v->element_size != element_size) array_raise_out_of_bounds();
    return v->data + static_cast<std::size_t>(i) * element_size;
}

void vector_drop_from(ArrayVector* v, std::uint32_t keep, std::int32_t levels_below, ArrayElements elements) {
    while (v->count > keep) {
        std::uint8_t* slot = v->data + bytes_of(v, v->count - 1);
        std::uint8_t element[8];
        std::memcpy(element, slot, v->element_size);
        std::memset(slot, 0, v->element_size);
        --v->count;
        if (levels_below == 0) {
            element_release(element, elements);
            continue;
        }
        ArrayVector* sub;
        std::memcpy(&sub, element, sizeof sub);
        if (!sub) continue;
        vector_drop_from(sub, 0, levels_below - 1, elements);
        runtime_free(sub, sizeof *sub);
    }
    fit(v);
}

std::uint8_t* vector_insert(ArrayVector* v, std::uint32_t i, std::uint32_t element_size) {
    if (i >= v->count) return vector_slot(v, i, element_size);
    vector_slot(v, v->count, element_size);
    std::uint8_t* slot = v->data + bytes_of(v, i);
    std::memmove(slot + element_size, slot, bytes_of(v, v->count - 1 - i));
    std::memset(slot, 0, element_size);
    return slot;
}

void vector_remove(ArrayVector* v, std::uint32_t i, std::uint8_t (&removed)[8]) {
    std::memset(removed, 0, sizeof removed);
    if (i >= v->count) return;
    std::uint8_t* slot = v->data + bytes_of(v, i);
    std::memcpy(removed, slot, v->element_size);
    std::memmove(slot, slot + v->element_size, bytes_of(v, v->count - 1 - i));
    --v->count;
    std::memset(v->data + bytes_of(v, v->count), 0, v->element_size);
    fit(v);
}
