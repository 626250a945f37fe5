// DragRow: the list offers a row for dragging with a DragItem that holds the
// row's rectangle (window coordinates: left, top, width, height, the first
// four words after the object header). True when the handler starts the
// drag. Carrying the drag out belongs to drag and drop, not to the list.
#pragma once

#include <cstdint>

struct ListboxObject;

bool list_offer_drag(ListboxObject* list, std::int32_t row);
