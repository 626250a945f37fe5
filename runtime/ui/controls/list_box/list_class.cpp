#include "controls/list_box/list_class.h"

#include <cstddef>

#include "controls/list_box/list_binding.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/list_events.h"
#include "controls/list_box/pane/list_pane.h"
#include "controls/list_box/list_row_changes.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kNone = B::Count;
constexpr std::uint32_t kDesignOnly = 0x80;

#define FIELD(member) static_cast<std::uint32_t>(offsetof(ListboxObject, member))

const PropertyRow kListboxRows[] = {
    {0, "TextFont", &kStringType, kNone, as_getter(listTextFontGetter), as_setter(listTextFontSetter), 0},
    {0, "TextSize", &kIntegerType, kNone, as_getter(listTextSizeGetter), as_setter(listTextSizeSetter), 0},
    {0, "Bold", &kBooleanType, kNone, as_getter(listBoldGetter), as_setter(listBoldSetter), 0},
    {0, "Italic", &kBooleanType, kNone, as_getter(listItalicGetter), as_setter(listItalicSetter), 0},
    {0, "Underline", &kBooleanType, kNone, as_getter(listUnderlineGetter), as_setter(listUnderlineSetter), 0},
    {0, "ListCount", &kIntegerType, kNone, as_getter(listCountGetter), nullptr, 0},
    {0, "ListIndex", &kIntegerType, kNone, as_getter(listSelectionGetter), as_setter(listSelectionSetter), 0},
    {0, "Text", &kStringType, kNone, as_getter(listTextGetter), as_setter(listTextSetter), 0},
    {0, "ColumnCount", &kIntegerType, kNone, as_getter(listColumnCountGetter), as_setter(listColumnCountSetter), 0},
    {0, "ColumnWidths", &kStringType, kNone, as_getter(listColumnWidthsGetter), as_setter(listColumnWidthsSetter),
     0},
    {kDesignOnly, "Hierarchical", &kBooleanType, kNone, field8_getter, field8_setter, FIELD(hierarchical)},
    {0, "LastIndex", &kIntegerType, kNone, as_getter(listLastIndexGetter), nullptr, 0},
    {0, "EnableDrag", &kBooleanType, kNone, field8_getter, as_setter(listEnableDragSetter), FIELD(enable_drag)},
    {kDesignOnly, "SelectionType", &kIntegerType, kNone, field32_getter, field32_setter, FIELD(selection_type)},
    {0, "SelCount", &kIntegerType, kNone, as_getter(listSelCountGetter), nullptr, 0},
    {kDesignOnly, "InitialValue", &kStringType, kNone, as_getter(stringGetter), as_setter(stringSetter),
     FIELD(initial_value)},
    {kDesignOnly, "HasHeading", &kBooleanType, kNone, field8_getter, field8_setter, FIELD(has_heading)},
    {kDesignOnly, "UseFocusRing", &kBooleanType, kNone, field8_getter, field8_setter, FIELD(use_focus_ring)},
    {0, "HeadingIndex", &kIntegerType, kNone, as_getter(listHeadingIndexGetter), as_setter(listHeadingIndexSetter),
     0},
    {0, "ScrollPosition", &kIntegerType, kNone, as_getter(listScrollPositionGetter),
     as_setter(listScrollPositionSetter), 0},
    {0, "ScrollPositionX", &kIntegerType, kNone, as_getter(listScrollPositionXGetter),
     as_setter(listScrollPositionXSetter), 0},
    {0, "ScrollBarHorizontal", &kBooleanType, kNone, field8_getter, as_setter(listHScrollBarSetter),
     FIELD(scroll_bar_horizontal)},
    {0, "ScrollBarVertical", &kBooleanType, kNone, field8_getter, as_setter(listVScrollBarSetter),
     FIELD(scroll_bar_vertical)},
};

#undef FIELD

void construct(RuntimeObject* object, RuntimeClass*) {
    ListboxObject* list = as_list(object);
    list->column_count = 1;
    list->use_focus_ring = 1;
    list->scroll_bar_vertical = 1;
    list->last_index = -1;
    list->heading_index = -1;
    list->adding_children_of = -1;
}

void destroy(RuntimeObject* object, RuntimeClass*) {
    ListboxObject* list = as_list(object);
    list_release_bindings(list);
    RuntimeUnlockString(list->column_widths);
    RuntimeUnlockString(list->initial_value);
    text_style_release(list->text_style);
    list->column_widths = list->initial_value = nullptr;
}

// InitialValue: one row per line, cells separated by tabs.
void add_initial_rows(ListboxObject* list) {
    const char* text = string_cstr(list->initial_value);
    const std::uint32_t length = string_length(list->initial_value);
    std::uint32_t at = 0;
    while (at < length) {
        std::uint32_t end = at;
        while (end < length && text[end] != '\r' && text[end] != '\n') ++end;
        ListPane* pane = pane_of(list);
        const std::int32_t row = pane->rows.count();
        std::int32_t column = 0;
        for (std::uint32_t cell = at; cell <= end && column < kListColumnLimit; ++column) {
            std::uint32_t stop = cell;
            while (stop < end && text[stop] != '\t') ++stop;
            RuntimeString* part = string_from_bytes(text + cell, stop - cell);
            if (column == 0) list_insert_row(list, row, part, kPlainRow, 0);
            else if (part) string_assign(&ListRows::find_or_add(pane->rows.at(row), column)->text, part);
            RuntimeUnlockString(part);
            cell = stop + 1;
        }
        at = end + 1;
        if (at < length && text[at - 1] == '\r' && text[at] == '\n') ++at;
    }
}

void create_pane(RuntimeObject* object) {
    ListboxObject* list = as_list(object);
    list->placed = 1;
    auto* pane = new ListPane(list);
    if (!pane->open()) {
        delete pane;
        return;
    }
    list->control.pane = pane;
    add_initial_rows(list);
}

}  // namespace

void list_box_class_describe() {
    RuntimeClass* cls = builtin_class(B::Listbox);
    property_table_install(B::Listbox, kListboxRows);
    list_events_describe();
    list_binding_describe();
    class_add_handler(cls, string_from_cstr("CreatePane"), -1, reinterpret_cast<void*>(create_pane));
    cls->constructor = construct;
    cls->destructor = destroy;
}
