// Compact boolean arrays: one dimension, one byte (0 or 1) per element,
// every element stored. Compiled code holds a handle, so that the block can
// move when the array grows or shrinks. Indexes run from 0 to count - 1;
// others raise OutOfBoundsException.
#pragma once

#include <cstdint>

struct BoolArrayBlock {
    std::uint32_t count;     // upper bound + 1
    std::uint8_t values[4];  // `count` of them, the block's room zero past them
};
using BoolArray = BoolArrayBlock**;

extern "C" {
BoolArray RuntimeCreateFastBooleanArray(std::int32_t upper);
std::int32_t RuntimeFastArrayUBound(BoolArray array);
std::int32_t RuntimeFastReadBoolArray(BoolArray array, std::int32_t i);  // 1 or 0
void RuntimeFastWriteBoolArray(BoolArray array, std::int32_t i, std::int32_t value);
void RuntimeRedimFastBoolArray(BoolArray array, std::int32_t upper);
void RuntimeFastBooleanArrayAppend(BoolArray array, std::int32_t value);
void RuntimeFastBooleanArrayInsert(BoolArray array, std::int32_t index, std::int32_t value);
void RuntimeFastBooleanArrayRemove(BoolArray array, std::int32_t index);
void RuntimeDisposeFastBooleanArray(BoolArray array);  // nil is ignored
}
