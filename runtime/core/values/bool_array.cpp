// Compact boolean arrays.
#include "values/bool_array.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "objects/builtin_classes.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "objects/objects.h"

namespace {

// Room grows in doublings, so that appending one by one moves the block
// only now and then; the room follows from the count alone.
std::size_t room_for(std::uint32_t count) {
    std::size_t room = 12;
    while (room < count) room *= 2;
    return room;
}

std::size_t block_bytes(std::uint32_t count) { return offsetof(BoolArrayBlock, values) + room_for(count); }

BoolArrayBlock* new_block(std::uint32_t count) {
    auto* block = static_cast<BoolArrayBlock*>(runtime_alloc(block_bytes(count)));
    block->count = count;
    return block;
}

void resize(BoolArray array, std::uint32_t count) {
    BoolArrayBlock* old = *array;
    if (room_for(count) != room_for(old->count)) {
        BoolArrayBlock* block = new_block(count);
        std::memcpy(block->values, old->values, count < old->count ? count : old->count);
        runtime_free(old, block_bytes(old->count));
        *array = block;
        return;
    }
    if (count < old->count) std::memset(old->values + count, 0, old->count - count);
    old->count = count;
}

bool missing(BoolArray array) {
    if (array) return false;
    runtime_failure_report(131, 4, "commonruntime", 192);
    return true;
}

[[noreturn]] void raise_out_of_bounds() { object_raise_new(builtin_class(BuiltinClass::OutOfBoundsException)); }

void check_index(BoolArray array, std::int32_t i) {
    if (i < 0 || static_cast<std::uint32_t>(i) >= (*array)->count) raise_out_of_bounds();
}

// An upper bound below -1 means no elements, like -1.
std::uint32_t count_for(std::int32_t upper) { return upper < -1 ? 0 : static_cast<std::uint32_t>(upper) + 1; }

// Raises when the upper bound cannot grow.
std::uint32_t grown_count(BoolArray array) {
    if ((*array)->count > static_cast<std::uint32_t>(INT_MAX)) raise_out_of_bounds();
    return (*array)->count + 1;
}

std::uint8_t bool_byte(std::int32_t value) { return value != 0; }

}  // namespace

extern "C" BoolArray RuntimeCreateFastBooleanArray(std::int32_t upper) {
    auto array = static_cast<BoolArray>(runtime_alloc(sizeof(BoolArrayBlock*)));
    *array = new_block(count_for(upper));
    return array;
}

extern "C" std::int32_t RuntimeFastArrayUBound(BoolArray array) {
    if (missing(array)) return -1;
    return static_cast<std::int32_t>((*array)->count - 1);
}

extern "C" std::int32_t RuntimeFastReadBoolArray(BoolArray array, std::int32_t i) {
    if (missing(array)) return 0;
    check_index(array, i);
    return (*array)->values[i];
}

extern "C" void RuntimeFastWriteBoolArray(BoolArray array, std::int32_t i, std::int32_t value) {
    if (missing(array)) return;
    check_index(array, i);
    (*array)->values[i] = bool_byte(value);
}

extern "C" void RuntimeRedimFastBoolArray(BoolArray array, std::int32_t upper) {
    if (!missing(array)) resize(array, count_for(upper));
}

extern "C" void RuntimeFastBooleanArrayAppend(BoolArray array, std::int32_t value) {
    if (missing(array)) return;
    const std::uint32_t count = grown_count(array);
    resize(array, count);
    (*array)->values[count - 1] = bool_byte(value);
}

extern "C" void RuntimeFastBooleanArrayInsert(BoolArray array, std::int32_t index, std::int32_t value) {
    if (missing(array)) return;
    check_index(array, index);
    const std::uint32_t count = grown_count(array);
    resize(array, count);
    std::uint8_t* values = (*array)->values;
    std::memmove(values + index + 1, values + index, count - 1 - static_cast<std::uint32_t>(index));
    values[index] = bool_byte(value);
}

extern "C" void RuntimeFastBooleanArrayRemove(BoolArray array, std::int32_t index) {
    if (missing(array)) return;
    check_index(array, index);
    std::uint8_t* values = (*array)->values;
    const std::uint32_t count = (*array)->count;
    std::memmove(values + index, values + index + 1, count - 1 - static_cast<std::uint32_t>(index));
    resize(array, count - 1);
}

extern "C" void RuntimeDisposeFastBooleanArray(BoolArray array) {
    if (!array) return;
    runtime_free(*array, block_bytes((*array)->count));
    runtime_free(array, sizeof *array);
}
