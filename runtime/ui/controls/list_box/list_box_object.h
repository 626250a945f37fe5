// The Listbox control object: the settings a list keeps whether or not its
// pane exists. Rows, cells, headings and the selection live in the pane.
#pragma once

#include <cstdint>

#include "controls/control_object.h"
#include "controls/text_style.h"
#include "panes/receivers.h"

struct RuntimeString;
class ListPane;

constexpr int kListColumnLimit = 64;     // columns that can carry settings
constexpr int kListMaxColumnCount = 63;  // columns that can be shown

struct ListboxObject {
    ControlObject control;
    std::uint8_t placed;  // made from a window description or cloned
    std::uint8_t hierarchical, enable_drag, has_heading;
    std::uint8_t use_focus_ring, scroll_bar_horizontal, scroll_bar_vertical;
    std::uint8_t change_guard;  // Change is running
    std::int32_t column_count;
    RuntimeString* column_widths;
    std::int16_t computed_widths[kListColumnLimit];
    std::int32_t selection_type;  // 0 single, 1 multiple
    RuntimeString* initial_value;
    std::uint8_t column_types[kListColumnLimit];
    std::int32_t last_index;
    RuntimeObject* provider;  // a listDataProvider, one reference; nil when not bound
    ReceiverList action_receivers;
    ReceiverList selection_receivers;
    TextStyle text_style;
    std::int32_t heading_index;
    std::int32_t scroll_position;    // the top row
    std::int32_t scroll_position_x;  // pixels
    std::uint8_t column_alignments[kListColumnLimit];  // 0 default, 1 left, 2 centre, 3 right
    std::int16_t column_alignment_offsets[kListColumnLimit];
    std::int32_t adding_children_of;  // the expanding row while ExpandRow runs; -1 otherwise
};
static_assert(sizeof(ListboxObject) == 540, "the size of the built-in class");

inline ListboxObject* as_list(RuntimeObject* object) { return reinterpret_cast<ListboxObject*>(object); }
inline RuntimeObject* list_object(ListboxObject* list) { return &list->control.header; }
inline ListPane* list_pane(const ListboxObject* list) { return static_cast<ListPane*>(list->control.pane); }
inline bool list_bound(const ListboxObject* list) { return list->provider != nullptr; }
