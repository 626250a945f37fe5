// Settings kept in the control object: stored whether or not the pane
// exists; with a pane the list redraws (and remeasures) at once.
#include "controls/list_box/list_access.h"
#include "controls/list_box/list_cells.h"
#include "controls/list_box/list_entry_points.h"
#include "strings/runtime_string.h"

namespace {

void redraw(ListboxObject* list) {
    if (ListPane* pane = pane_of(list)) pane->redraw_all();
}

void style_changed(ListboxObject* list) {
    if (ListPane* pane = pane_of(list)) pane->font_changed();
}

bool style_flag(RuntimeObject* object, std::uint8_t TextStyle::*flag) {
    ListboxObject* list = list_of(object);
    return list && list->text_style.*flag;
}

void set_style_flag(RuntimeObject* object, std::uint8_t TextStyle::*flag, bool on) {
    ListboxObject* list = list_of(object);
    if (!list || (list->text_style.*flag != 0) == on) return;
    list->text_style.*flag = on ? 1 : 0;
    style_changed(list);
}

}  // namespace

extern "C" {

std::int32_t listColumnTypeGetter(RuntimeObject* object, std::int32_t column) {
    ListboxObject* list = list_of(object);
    return list ? list_column_type(list, column) : 0;
}

void listColumnTypeSetter(RuntimeObject* object, std::int32_t column, std::int32_t type) {
    ListboxObject* list = list_of(object);
    if (!list || !list_column_valid(column)) return;
    list->column_types[column] = static_cast<std::uint8_t>(type);
    redraw(list);
}

std::int32_t listColumnAlignmentGetter(RuntimeObject* object, std::int32_t column) {
    ListboxObject* list = list_of(object);
    return list && list_column_valid(column) ? list->column_alignments[column] : 0;
}

void listColumnAlignmentSetter(RuntimeObject* object, std::int32_t column, std::int32_t alignment) {
    ListboxObject* list = list_of(object);
    if (!list || !list_column_valid(column) || alignment < 0 || alignment > 3) return;
    list->column_alignments[column] = static_cast<std::uint8_t>(alignment);
    redraw(list);
}

std::int32_t listColumnAlignmentOffsetGetter(RuntimeObject* object, std::int32_t column) {
    ListboxObject* list = list_of(object);
    return list && list_column_valid(column) ? list->column_alignment_offsets[column] : 0;
}

void listColumnAlignmentOffsetSetter(RuntimeObject* object, std::int32_t column, std::int32_t offset) {
    ListboxObject* list = list_of(object);
    if (!list || !list_column_valid(column)) return;
    list->column_alignment_offsets[column] = static_cast<std::int16_t>(offset);
    redraw(list);
}

std::int32_t listColumnCountGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    return list ? list->column_count : 0;
}

void listColumnCountSetter(RuntimeObject* object, std::uint32_t, std::int32_t count) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    list->column_count = count == 0 ? 1 : count < 0 || count > kListMaxColumnCount ? kListMaxColumnCount : count;
    if (ListPane* pane = pane_of(list)) {
        pane->finish_editing();
        if (ListPane* still = pane_of(list)) still->widths_changed();
    }
}

RuntimeString* listColumnWidthsGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    if (!list) return nullptr;
    RuntimeLockString(list->column_widths);
    return list->column_widths;
}

void listColumnWidthsSetter(RuntimeObject* object, std::uint32_t, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    string_assign(&list->column_widths, text);
    if (ListPane* pane = pane_of(list)) {
        pane->finish_editing();
        if (ListPane* still = pane_of(list)) still->widths_changed();
    }
}

RuntimeString* listGetHeading(RuntimeObject* object, std::int32_t column) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    if (!pane || !list_column_valid(column)) return nullptr;
    RuntimeLockString(pane->headings[column]);
    return pane->headings[column];
}

void listSetHeading(RuntimeObject* object, std::int32_t column, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    ListPane* pane = list ? pane_of(list) : nullptr;
    if (!pane || !list_column_valid(column)) return;
    string_assign(&pane->headings[column], text);
    if (list->has_heading) pane->redraw_all();
}

std::int32_t listHeadingIndexGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    return list ? list->heading_index : -1;
}

void listHeadingIndexSetter(RuntimeObject* object, std::uint32_t, std::int32_t column) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    list->heading_index = column;
    redraw(list);
}

RuntimeString* listTextFontGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    if (!list) return nullptr;
    RuntimeLockString(list->text_style.font);
    return list->text_style.font;
}

void listTextFontSetter(RuntimeObject* object, std::uint32_t, RuntimeString* name) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    string_assign(&list->text_style.font, name);
    style_changed(list);
}

std::int32_t listTextSizeGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    return list ? list->text_style.size : 0;
}

void listTextSizeSetter(RuntimeObject* object, std::uint32_t, std::int32_t size) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    list->text_style.size = static_cast<std::int16_t>(size < 0 ? 0 : size > 32767 ? 32767 : size);
    style_changed(list);
}

bool listBoldGetter(RuntimeObject* list, std::uint32_t) { return style_flag(list, &TextStyle::bold); }
void listBoldSetter(RuntimeObject* list, std::uint32_t, bool on) { set_style_flag(list, &TextStyle::bold, on); }
bool listItalicGetter(RuntimeObject* list, std::uint32_t) { return style_flag(list, &TextStyle::italic); }
void listItalicSetter(RuntimeObject* list, std::uint32_t, bool on) { set_style_flag(list, &TextStyle::italic, on); }
bool listUnderlineGetter(RuntimeObject* list, std::uint32_t) { return style_flag(list, &TextStyle::underline); }
void listUnderlineSetter(RuntimeObject* list, std::uint32_t, bool on) {
    set_style_flag(list, &TextStyle::underline, on);
}

std::int32_t listScrollPositionGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    return list ? list->scroll_position : 0;
}

void listScrollPositionSetter(RuntimeObject* object, std::uint32_t, std::int32_t row) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    if (ListPane* pane = pane_of(list)) pane->scroll_to(row);
    else list->scroll_position = row < 0 ? 0 : row;
}

std::int32_t listScrollPositionXGetter(RuntimeObject* object, std::uint32_t) {
    ListboxObject* list = list_of(object);
    return list ? list->scroll_position_x : 0;
}

void listScrollPositionXSetter(RuntimeObject* object, std::uint32_t, std::int32_t pixels) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    if (ListPane* pane = pane_of(list)) pane->scroll_x_to(pixels);
    else list->scroll_position_x = pixels < 0 ? 0 : pixels;
}

void listHScrollBarSetter(RuntimeObject* object, std::uint32_t, bool on) {
    ListboxObject* list = list_of(object);
    if (!list || (list->scroll_bar_horizontal != 0) == on) return;
    list->scroll_bar_horizontal = on ? 1 : 0;
    if (ListPane* pane = pane_of(list)) pane->scroll_bars_changed();
}

void listVScrollBarSetter(RuntimeObject* object, std::uint32_t, bool on) {
    ListboxObject* list = list_of(object);
    if (!list || (list->scroll_bar_vertical != 0) == on) return;
    list->scroll_bar_vertical = on ? 1 : 0;
    if (ListPane* pane = pane_of(list)) pane->scroll_bars_changed();
}

void listEnableDragSetter(RuntimeObject* object, std::uint32_t, bool on) {
    ListboxObject* list = list_of(object);
    if (list) list->enable_drag = on ? 1 : 0;
}

}  // extern "C"
