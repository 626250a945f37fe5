#include "controls/list_box/pane/list_drag.h"

#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "objects/builtin_classes.h"

namespace {

struct DragItemBounds {
    RuntimeObject header;
    std::int32_t left, top, width, height;
};

}  // namespace

bool list_offer_drag(ListboxObject* list, std::int32_t row) {
    ListPane* pane = pane_of(list);
    RuntimeObject* drag = object_new(builtin_class(BuiltinClass::DragItem));
    auto* bounds = reinterpret_cast<DragItemBounds*>(drag);
    bounds->left = pane->rect.left + kListInset;
    bounds->top = pane->rect.top + pane->row_top(row);
    bounds->width = pane->client_width() - 2 * kListInset;
    bounds->height = pane->row_height();
    const bool started = list_raise_drag_row(list, drag, row);
    RuntimeUnlockObject(drag);
    return started;
}
