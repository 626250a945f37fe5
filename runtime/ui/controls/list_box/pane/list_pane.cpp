#include "controls/list_box/pane/list_pane.h"

#include "controls/list_box/list_binding.h"
#include "controls/list_box/pane/list_columns.h"
#include "controls/list_box/list_events.h"
#include "panes/pane_focus.h"
#include "startup/ui_services.h"
#include "strings/runtime_string.h"

namespace {

constexpr int kWheelRows = 3;

}  // namespace

ListPane::ListPane(ListboxObject* l) : Pane(&l->control), list(l) {}

ListPane::~ListPane() {
    drop_editing();
    for (HFONT& f : fonts_)
        if (f) DeleteObject(f);
    for (RuntimeString*& heading : headings) {
        RuntimeUnlockString(heading);
        heading = nullptr;
    }
}

bool ListPane::open() {
    DWORD style = WS_CLIPCHILDREN;
    if (list->scroll_bar_vertical) style |= WS_VSCROLL;
    if (list->scroll_bar_horizontal) style |= WS_HSCROLL;
    const PaneCreation how = {list->control.rect, nullptr, "", "TV_Pane", style, 0};
    if (!create(how)) return false;
    SetWindowLongPtrA(native, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    font_changed();
    update_client();
    widths_changed();
    return true;
}

HFONT ListPane::font(std::uint8_t cell_style) {
    HFONT& f = fonts_[cell_style & 7];
    if (f) return f;
    TextStyle style = list->text_style;
    style.bold = style.bold || (cell_style & kCellBold);
    style.italic = style.italic || (cell_style & kCellItalic);
    style.underline = style.underline || (cell_style & kCellUnderline);
    f = text_style_font(style);
    return f;
}

void ListPane::font_changed() {
    for (HFONT& f : fonts_)
        if (f) DeleteObject(f), f = nullptr;
    HDC dc = GetDC(native);
    HGDIOBJ old = SelectObject(dc, font(0));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(native, dc);
    row_height_ = metrics.tmHeight + 4;
    if (row_height_ < kListCheckBoxWidth + 1) row_height_ = kListCheckBoxWidth + 1;
    rows_changed();
    redraw_all();
}

void ListPane::update_client() {
    if (native) GetClientRect(native, &client_);
}

void ListPane::widths_changed() {
    std::int32_t available = width;
    if (list->scroll_bar_vertical) available -= kListVerticalBarAllowance;
    list_compute_widths(list->column_widths, available, list->column_count, list->computed_widths);
    range_stale_ = true;
    redraw_all();
}

void ListPane::scroll_bars_changed() {
    if (!native) return;
    LONG style = GetWindowLongA(native, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL);
    if (list->scroll_bar_vertical) style |= WS_VSCROLL;
    if (list->scroll_bar_horizontal) style |= WS_HSCROLL;
    SetWindowLongA(native, GWL_STYLE, style);
    SetWindowPos(native, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    update_client();
    widths_changed();
}

void ListPane::set_rect(const ShortRect& r, bool redraw) {
    finish_editing();
    Pane::set_rect(r, redraw);
    update_client();
    widths_changed();
}

int ListPane::heading_height() const { return list->has_heading ? row_height_ + 2 : 0; }

std::int32_t ListPane::page_rows() const {
    const int room = client_.bottom - rows_top() - kListInset;
    const std::int32_t n = room / row_height_;
    return n > 0 ? n : 1;
}

std::int32_t ListPane::row_at(int y) const {
    if (y < rows_top() || y >= client_.bottom - kListInset) return -1;
    const std::int32_t row = list->scroll_position + (y - rows_top()) / row_height_;
    return rows.in_range(row) ? row : -1;
}

int ListPane::column_left(std::int32_t column) const {
    int left = content_left();
    for (std::int32_t i = 0; i < column && i < list->column_count; ++i) left += list->computed_widths[i];
    return left;
}

std::int32_t ListPane::column_at(int x, int& left) const {
    left = content_left();
    for (std::int32_t i = 0; i < list->column_count; ++i) {
        if (x < left + list->computed_widths[i]) return i;
        left += list->computed_widths[i];
    }
    return -1;
}

int ListPane::column0_indent(const ListRow* row) const {
    int indent = list->hierarchical ? row->depth * kListDepthIndent + kListTriangleRoom : kListPlainIndent;
    if (row->cells && row->cells->column == 0 && row->cells->picture) indent += kListPictureRoom;
    return indent;
}

int ListPane::check_box_indent(const ListRow* row, std::int32_t column) const {
    if (column != 0) return 0;
    return list->hierarchical ? kListTriangleRoom + row->depth * kListDepthIndent : kListPlainIndent;
}

void ListPane::redraw_row(std::int32_t row) {
    if (!native || row < list->scroll_position || row > list->scroll_position + page_rows()) return;
    const int top = row_top(row);
    RECT r = {0, top, client_.right, top + row_height_};
    InvalidateRect(native, &r, FALSE);
}

void ListPane::redraw_rows_from(std::int32_t row) {
    if (!native) return;
    if (row < list->scroll_position) row = list->scroll_position;
    if (row > list->scroll_position + page_rows()) return;
    RECT r = {0, row_top(row), client_.right, client_.bottom};
    InvalidateRect(native, &r, FALSE);
}

void ListPane::redraw_all() {
    if (native) InvalidateRect(native, nullptr, FALSE);
}

void ListPane::rows_changed() { range_stale_ = true; }

void ListPane::row_inserted(std::int32_t row) {
    if (editing() && row <= cell_editor_.row) ++cell_editor_.row;
}

void ListPane::enable_menu_items() { list_raise(list, g_listbox_events.enable_menu_items); }

void ListPane::apply_scroll_range() {
    range_stale_ = false;
    const std::int32_t top_limit = rows.count() > page_rows() ? rows.count() - page_rows() : 0;
    if (list->scroll_position > top_limit) list->scroll_position = top_limit;
    if (list->scroll_position < 0) list->scroll_position = 0;
    std::int32_t total = 0;
    for (std::int32_t i = 0; i < list->column_count; ++i) total += list->computed_widths[i];
    const std::int32_t view = client_.right - 2 * kListInset;
    const std::int32_t x_limit = total > view ? total - view : 0;
    if (list->scroll_position_x > x_limit) list->scroll_position_x = x_limit;
    if (list->scroll_position_x < 0) list->scroll_position_x = 0;
    if (!native) return;
    SCROLLINFO info = {sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (list->scroll_bar_vertical) {
        info.nMax = rows.count() > 0 ? rows.count() - 1 : 0;
        info.nPage = static_cast<UINT>(page_rows());
        info.nPos = list->scroll_position;
        SetScrollInfo(native, SB_VERT, &info, TRUE);
    }
    if (list->scroll_bar_horizontal) {
        info.nMax = total > 0 ? total - 1 : 0;
        info.nPage = static_cast<UINT>(view > 0 ? view : 1);
        info.nPos = list->scroll_position_x;
        SetScrollInfo(native, SB_HORZ, &info, TRUE);
    }
}

void ListPane::scroll_to(std::int32_t top) {
    finish_editing();
    const std::int32_t before = list->scroll_position;
    list->scroll_position = top;
    apply_scroll_range();
    if (list->scroll_position != before) redraw_all();
}

void ListPane::scroll_x_to(std::int32_t x) {
    finish_editing();
    const std::int32_t before = list->scroll_position_x;
    list->scroll_position_x = x;
    apply_scroll_range();
    if (list->scroll_position_x != before) redraw_all();
}

void ListPane::scroll_into_view(std::int32_t row) {
    if (row < list->scroll_position) scroll_to(row);
    else if (row >= list->scroll_position + page_rows()) scroll_to(row - page_rows() + 1);
}

void ListPane::scroll_message(int bar, int code) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(native, bar, &info);
    const bool vertical = bar == SB_VERT;
    const std::int32_t line = vertical ? 1 : 16;
    const std::int32_t page = vertical ? page_rows() : static_cast<std::int32_t>(info.nPage);
    std::int32_t at = vertical ? list->scroll_position : list->scroll_position_x;
    switch (code) {
        case SB_LINEUP: at -= line; break;
        case SB_LINEDOWN: at += line; break;
        case SB_PAGEUP: at -= page; break;
        case SB_PAGEDOWN: at += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: at = info.nTrackPos; break;
        case SB_TOP: at = 0; break;
        case SB_BOTTOM: at = info.nMax; break;
        default: return;
    }
    if (vertical) scroll_to(at);
    else scroll_x_to(at);
}

void ListPane::gain_focus() {
    if (editing()) {
        finish_pending_ = false;
        focus_set(cell_editor_.editor);
        return;
    }
    Pane::gain_focus();
    redraw_all();
    list_raise(list, g_listbox_events.got_focus);
}

void ListPane::lose_focus() {
    redraw_all();
    list_raise(list, g_listbox_events.lost_focus);
}

void ListPane::close() {
    drop_editing();
    list_release_bindings(list);
    Pane::close();
}

LRESULT CALLBACK ListPane::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* pane = static_cast<ListPane*>(pane_of_native(hwnd));
    if (pane) {
        switch (message) {
            case WM_VSCROLL:
            case WM_HSCROLL:
                if (lparam) break;  // a scroll bar control of its own would report itself
                pane->scroll_message(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wparam));
                return 0;
            case WM_MOUSEWHEEL: {
                const int notches = static_cast<short>(HIWORD(wparam)) / WHEEL_DELTA;
                pane->scroll_to(pane->list->scroll_position - notches * kWheelRows);
                return 0;
            }
            case WM_SIZE: pane->update_client(); break;
            case kFinishEditingMessage:
                if (pane->finish_pending_) pane->finish_editing();
                return 0;
            default: break;
        }
    }
    return CallWindowProcA(ui_services().pane_procedure, hwnd, message, wparam, lparam);
}
