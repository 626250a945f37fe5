// What a cell shows: its own type, alignment and offset when it has them,
// else its column's.
#pragma once

#include <cstdint>

struct ListboxObject;
struct ListCell;

// Columns outside 0-63 have type 0.
std::uint8_t list_column_type(const ListboxObject* list, std::int32_t column);
std::uint8_t list_effective_type(const ListboxObject* list, const ListCell* cell, std::int32_t column);
std::uint8_t list_effective_alignment(const ListboxObject* list, const ListCell* cell, std::int32_t column);
std::int16_t list_effective_alignment_offset(const ListboxObject* list, const ListCell* cell, std::int32_t column);
inline bool list_column_valid(std::int32_t column) { return column >= 0 && column < 64; }
