// The list's pane: a custom-drawn "TV_Pane" that holds the rows, the
// selection and the headings, draws the visible rows and takes the mouse
// and the keys. Positions inside are client pixels of its window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/list_box/list_box_object.h"
#include "controls/list_box/pane/list_cell_editor.h"
#include "controls/list_box/pane/list_rows.h"
#include "controls/list_box/pane/list_selection_ranges.h"
#include "panes/pane.h"
#include "panes/receivers.h"

// Pixel layout shared by drawing and hit testing.
constexpr int kListInset = 1;            // the frame
constexpr int kListDepthIndent = 12;     // per level of a hierarchical list
constexpr int kListTriangleRoom = 20;    // before column 0 of a hierarchical list
constexpr int kListPlainIndent = 4;      // before column 0 of a plain list
constexpr int kListPictureRoom = 20;     // a row picture before the text of column 0
constexpr int kListCheckBoxWidth = 16;
constexpr int kListTriangleBox = 12;
constexpr int kListVerticalBarAllowance = 15;
// Posted to the list's window when its editor lost the focus.
constexpr UINT kFinishEditingMessage = WM_APP + 17;

class ListPane : public Pane {
public:
    explicit ListPane(ListboxObject* list);
    ~ListPane() override;

    // Makes the child window and takes the stored settings; false when the
    // window could not be made.
    bool open();

    void draw(HDC dc) override;
    bool mouse_down(int x, int y, std::int32_t modifiers) override;
    void mouse_drag(int x, int y) override;
    void lose_focus() override;
    void gain_focus() override;
    bool accepts_focus() override { return true; }
    void set_rect(const ShortRect& rect, bool redraw) override;
    bool key_down(char character, std::uint8_t key_code, std::int32_t modifiers) override;
    void close() override;
    // The menu pass while the list has the focus: its EnableMenuItems.
    void enable_menu_items() override;

    ListboxObject* list;
    ListRows rows;
    SelectionRanges selection;
    RuntimeString* headings[kListColumnLimit] = {};
    // Lists shown from this one's rows (listDataNotificationReceivers).
    ReceiverList row_receivers;

    // Geometry.
    int row_height() const { return row_height_; }
    int heading_height() const;
    int rows_top() const { return kListInset + heading_height(); }
    int row_top(std::int32_t row) const { return rows_top() + (row - list->scroll_position) * row_height_; }
    // Rows that fit wholly, at least 1.
    std::int32_t page_rows() const;
    // The row under client point y; -1 outside the rows.
    std::int32_t row_at(int y) const;
    // The column under client point x (-1 right of the last one) and its left edge.
    std::int32_t column_at(int x, int& left) const;
    int column_left(std::int32_t column) const;
    int content_left() const { return kListInset - list->scroll_position_x; }
    int client_width() const { return client_.right; }
    int client_height() const { return client_.bottom; }

    // Where the text of column 0 starts, from the column's left edge.
    int column0_indent(const ListRow* row) const;
    // The check box of a cell: its left edge, from the column's left edge.
    int check_box_indent(const ListRow* row, std::int32_t column) const;

    // Redrawing; rows out of view cost nothing.
    void redraw_row(std::int32_t row);
    void redraw_rows_from(std::int32_t row);
    void redraw_all();

    // The settings changed.
    void font_changed();
    void widths_changed();
    void scroll_bars_changed();
    // Rows were added or removed: the scroll range follows before the next paint.
    void rows_changed();
    // A row was inserted at `row`: a cell being edited below it moves down with it.
    void row_inserted(std::int32_t row);
    void scroll_to(std::int32_t top);
    void scroll_x_to(std::int32_t x);
    void scroll_into_view(std::int32_t row);

    // In-place editing of a cell.
    bool editing() const { return cell_editor_.editor != nullptr; }
    bool editing_cell(std::int32_t row, std::int32_t column) const {
        return editing() && cell_editor_.row == row && cell_editor_.column == column;
    }
    // The click at client point (x, y) goes on to the editor.
    void begin_editing(std::int32_t row, std::int32_t column, int x, int y);
    // Stores the editor's text in the cell, closes it and raises CellAction;
    // with `refocus` the list takes the focus back.
    void finish_editing(bool refocus = false);
    // Rows are going away: the editor closes without storing anything.
    void drop_editing();
    // The editor lost the focus. The edit ends a message later unless the
    // focus came back to the list (a window activated again gives it to the
    // list, which hands it on to its editor); a window going inactive keeps it.
    void editor_lost_focus();

private:
    void update_client();
    void apply_scroll_range();
    void scroll_message(int bar, int code);
    bool heading_click(int x);
    void row_click(std::int32_t row, int x, int y, std::int32_t modifiers);
    void select_by_click(std::int32_t row, std::int32_t modifiers);
    bool is_double_click(std::int32_t row, int x, int y);
    bool keys(std::uint8_t key_code, std::int32_t modifiers);
    void draw_row(HDC dc, std::int32_t row, const RECT& bounds);
    void draw_headings(HDC dc);
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    // The list's font, and its variants for the style bits of cells (made on first use).
    HFONT font(std::uint8_t cell_style);
    HFONT fonts_[8] = {};
    int row_height_ = 16;
    RECT client_ = {0, 0, 0, 0};
    bool range_stale_ = true;
    WNDPROC pane_procedure_ = nullptr;
    std::int32_t anchor_ = -1;
    DWORD last_click_tick_ = 0;
    std::int32_t last_click_row_ = -1;
    POINT last_click_ = {0, 0};
    std::int32_t drag_from_ = -1;
    ListCellEditor cell_editor_{this};
    bool finish_pending_ = false;
};

// The pane of a list, null before CreatePane and after the window closed.
inline ListPane* pane_of(ListboxObject* list) { return list_pane(list); }
