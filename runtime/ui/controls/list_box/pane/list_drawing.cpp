// Drawing the list: the visible rows only, into an off-screen bitmap that
// is copied at once, so that nothing flickers while rows change.
#include "controls/list_box/list_binding.h"
#include "controls/list_box/list_cells.h"
#include "controls/list_box/pane/list_pane.h"
#include "drawing/picture.h"
#include "panes/pane_focus.h"
#include "strings/runtime_string.h"

namespace {

COLORREF system_colour(int index) { return GetSysColor(index); }

void fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void frame(HDC dc, RECT r, COLORREF colour, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        const RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                               {r.left, r.bottom - 1, r.right, r.bottom},
                               {r.left, r.top, r.left + 1, r.bottom},
                               {r.right - 1, r.top, r.right, r.bottom}};
        for (const RECT& e : edges) fill(dc, e, colour);
        InflateRect(&r, -1, -1);
    }
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A 13 x 13 box centred in the 16-pixel check-box column of the row.
void draw_check_box(HDC dc, int left, int top, int height, bool checked, bool enabled) {
    const int size = 13;
    const int x = left + (kListCheckBoxWidth - size) / 2, y = top + (height - size) / 2;
    RECT box = {x, y, x + size, y + size};
    fill(dc, box, system_colour(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    frame(dc, box, system_colour(COLOR_BTNSHADOW), 1);
    if (!checked) return;
    HPEN pen = CreatePen(PS_SOLID, 1, system_colour(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    // A tick three pixels thick: down-right from the left, then up to the top right.
    for (int t = 0; t < 3; ++t) {
        line(dc, x + 3, y + 5 + t, x + 5, y + 7 + t);
        line(dc, x + 5, y + 7 + t, x + 10, y + 2 + t);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Pointing right when collapsed, down when expanded, in a 12 x 12 box.
void draw_triangle(HDC dc, int left, int top, int height, bool expanded, COLORREF colour) {
    const int y = top + (height - kListTriangleBox) / 2;
    POINT points[3];
    if (expanded) {
        points[0] = {left + 1, y + 3};
        points[1] = {left + 11, y + 3};
        points[2] = {left + 6, y + 9};
    } else {
        points[0] = {left + 3, y + 1};
        points[1] = {left + 3, y + 11};
        points[2] = {left + 9, y + 6};
    }
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void draw_picture(HDC dc, RuntimeObject* picture, int left, int top, int height) {
    const PictureData* data = picture_data(picture);
    if (!data || data->width <= 0 || data->height <= 0) return;
    int w = data->width, h = data->height;
    const int room_w = kListPictureRoom - 2, room_h = height - 2;
    if (w > room_w || h > room_h) {
        // Scaled down to fit, keeping its proportions.
        if (w * room_h > h * room_w) h = h * room_w / w, w = room_w;
        else w = w * room_h / h, h = room_h;
    }
    const int x = left + (kListPictureRoom - w) / 2, y = top + (height - h) / 2;
    const RECT target = {x, y, x + w, y + h}, source = {0, 0, data->width, data->height};
    picture_draw(picture, dc, target, source);
}

UINT alignment_format(std::uint8_t alignment) {
    switch (alignment) {
        case 2: return DT_CENTER;
        case 3: return DT_RIGHT;
        default: return DT_LEFT;
    }
}

}  // namespace

void ListPane::draw_headings(HDC dc) {
    const int top = kListInset, bottom = top + heading_height();
    RECT band = {kListInset, top, client_.right - kListInset, bottom};
    fill(dc, band, system_colour(COLOR_BTNFACE));
    SetTextColor(dc, system_colour(COLOR_BTNTEXT));
    SelectObject(dc, font(0));
    int left = content_left();
    for (std::int32_t c = 0; c < list->column_count; ++c) {
        const int right = left + list->computed_widths[c];
        RECT cell = {left, top, right, bottom};
        if (right > left) {
            DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
            RECT text = {left + 4, top, right - 4, bottom};
            if (c == list->heading_index) {
                // The sort column: a small upward triangle at its right.
                text.right -= 10;
                HBRUSH brush = CreateSolidBrush(system_colour(COLOR_BTNSHADOW));
                HGDIOBJ old = SelectObject(dc, brush);
                HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
                const int cx = right - 9, cy = (top + bottom) / 2;
                POINT up[3] = {{cx - 4, cy + 3}, {cx + 4, cy + 3}, {cx, cy - 2}};
                Polygon(dc, up, 3);
                SelectObject(dc, old);
                SelectObject(dc, old_pen);
                DeleteObject(brush);
            }
            DrawTextA(dc, string_cstr(headings[c]), static_cast<int>(string_length(headings[c])), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
        }
        left = right;
    }
}

void ListPane::draw_row(HDC dc, std::int32_t index, const RECT& bounds) {
    const ListRow* row = rows.at(index);
    const bool selected = selection.contains(index);
    const bool focused = focus_pane() == this && active;
    const COLORREF back = selected ? system_colour(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : system_colour(COLOR_WINDOW);
    const COLORREF ink = !enabled ? system_colour(COLOR_GRAYTEXT)
                         : selected && focused ? system_colour(COLOR_HIGHLIGHTTEXT)
                                               : system_colour(COLOR_WINDOWTEXT);
    fill(dc, bounds, back);
    SetTextColor(dc, ink);
    int left = content_left();
    for (std::int32_t c = 0; c < list->column_count; ++c) {
        const int right = left + list->computed_widths[c];
        if (right <= left || left >= bounds.right) {
            left = right;
            continue;
        }
        const ListCell* cell = ListRows::find(row, c);
        const std::uint8_t type = list_effective_type(list, cell, c);
        HRGN clip = CreateRectRgn(left, bounds.top, right < bounds.right ? right : bounds.right, bounds.bottom);
        SelectClipRgn(dc, clip);
        int text_left = left + (c == 0 ? column0_indent(row) : kListPlainIndent);
        if (c == 0 && list->hierarchical && row->folder != kPlainRow)
            draw_triangle(dc, left + row->depth * kListDepthIndent + 4, bounds.top, row_height_,
                          row->folder == kExpandedFolder, ink);
        if (c == 0 && cell && cell->picture)
            draw_picture(dc, cell->picture, text_left - kListPictureRoom, bounds.top, row_height_);
        if (type == kCellCheckBox) {
            const int box = left + check_box_indent(row, c);
            draw_check_box(dc, box, bounds.top, row_height_, cell && cell->check, enabled != 0);
            if (text_left < box + kListCheckBoxWidth + 2) text_left = box + kListCheckBoxWidth + 2;
        }
        // A bound list shows its provider's texts.
        RuntimeString* provided = list_bound(list) ? list_provider_text(list, index, c) : nullptr;
        const RuntimeString* shown = list_bound(list) ? provided : cell ? cell->text : nullptr;
        if (shown && !editing_cell(index, c)) {
            SelectObject(dc, font(cell ? cell->style : 0));
            RECT text = {text_left, bounds.top, right - kListPlainIndent, bounds.bottom};
            const std::int16_t offset = list_effective_alignment_offset(list, cell, c);
            OffsetRect(&text, offset, 0);
            DrawTextA(dc, string_cstr(shown), static_cast<int>(string_length(shown)), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                          alignment_format(list_effective_alignment(list, cell, c)));
        }
        RuntimeUnlockString(provided);
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
        left = right;
    }
}

void ListPane::draw(HDC target) {
    if (range_stale_) apply_scroll_range();
    const int w = client_.right, h = client_.bottom;
    if (w <= 0 || h <= 0) return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HGDIOBJ old_font = SelectObject(dc, font(0));
    SetBkMode(dc, TRANSPARENT);
    const RECT all = {0, 0, w, h};
    fill(dc, all, system_colour(COLOR_WINDOW));
    const int bottom = h - kListInset;
    const std::int32_t last = list->scroll_position + page_rows() + 1;
    for (std::int32_t i = list->scroll_position; i < last && i < rows.count(); ++i) {
        const int top = row_top(i);
        if (top >= bottom) break;
        const RECT bounds = {kListInset, top, w - kListInset, top + row_height_};
        draw_row(dc, i, bounds);
    }
    if (list->has_heading) draw_headings(dc);
    const bool ring = list->use_focus_ring && focus_pane() == this && active;
    frame(dc, all, system_colour(ring ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW), ring ? 2 : 1);
    BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
