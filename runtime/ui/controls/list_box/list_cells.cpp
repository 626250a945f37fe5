#include "controls/list_box/list_cells.h"

#include "controls/list_box/list_box_object.h"
#include "controls/list_box/pane/list_rows.h"

std::uint8_t list_column_type(const ListboxObject* list, std::int32_t column) {
    return list_column_valid(column) ? list->column_types[column] : 0;
}

std::uint8_t list_effective_type(const ListboxObject* list, const ListCell* cell, std::int32_t column) {
    return cell && cell->type ? cell->type : list_column_type(list, column);
}

std::uint8_t list_effective_alignment(const ListboxObject* list, const ListCell* cell, std::int32_t column) {
    if (cell && cell->alignment) return cell->alignment;
    return list_column_valid(column) ? list->column_alignments[column] : 0;
}

std::int16_t list_effective_alignment_offset(const ListboxObject* list, const ListCell* cell, std::int32_t column) {
    if (cell && cell->alignment_offset) return cell->alignment_offset;
    return list_column_valid(column) ? list->column_alignment_offsets[column] : 0;
}
