// Column widths from the ColumnWidths text: each ","-separated part is a
// pixel count or, ending in "%", a share of the available width; columns
// without a part share what the earlier ones left.
#pragma once

#include <cstdint>

struct RuntimeString;

// Fills widths[0 .. count) for `available` pixels (the pane's width less
// the vertical scroll bar).
void list_compute_widths(const RuntimeString* text, std::int32_t available, std::int32_t count, std::int16_t* widths);
