#include "controls/static_text/static_text_pane.h"

#include "controls/static_text/static_text.h"
#include "drawing/colour.h"
#include "strings/runtime_string.h"

namespace {

// Disabled text: each 16-bit channel moves three quarters of the way
// towards a mid grey (black becomes 0x6000, white 0x9FFF).
std::uint16_t greyed(std::uint16_t channel) { return static_cast<std::uint16_t>((channel + 0x18000) / 4); }

constexpr UINT kWrapped = DT_WORDBREAK | DT_NOPREFIX;
constexpr int kFarBelow = 32767;

UINT draw_text_alignment(std::int16_t align) {
    if (align == 1) return DT_CENTER;
    if (align == 2) return DT_RIGHT;
    return DT_LEFT;
}

}  // namespace

StaticTextPane::StaticTextPane(StaticTextObject* label) : Pane(&label->control) {}

StaticTextPane::~StaticTextPane() {
    forget_font();
    RuntimeUnlockString(text_);
    text_style_release(style_);
}

void StaticTextPane::set_text(RuntimeString* text) {
    string_assign(&text_, text);
    refresh();
}

void StaticTextPane::set_align(std::int16_t align) {
    align_ = align;
    refresh();
}

void StaticTextPane::set_colour(std::uint32_t colour) {
    if (colour == colour_) return;
    colour_ = colour;
    refresh();
}

void StaticTextPane::set_style(const TextStyle& style) {
    if (text_style_equal(style, style_)) return;
    text_style_copy(style_, style);
    forget_font();
    refresh();
}

void StaticTextPane::forget_font() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

COLORREF StaticTextPane::shown_colour() const {
    WideColour c = colour_widen(colour_);
    if (!active) c = {greyed(c.red), greyed(c.green), greyed(c.blue)};
    return colour_for_gdi(c);
}

void StaticTextPane::draw(HDC dc) {
    if (!visible || string_length(text_) == 0) return;
    if (!font_) font_ = text_style_font(style_);
    const int saved = SaveDC(dc);
    // Text past the label's edges would never be erased by its redraws.
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, shown_colour());
    if (multi_line_) draw_wrapped(dc);
    else draw_lines(dc);
    RestoreDC(dc, saved);
}

void StaticTextPane::draw_wrapped(HDC dc) {
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    RECT area = {rect.left, rect.top, rect.right, kFarBelow};
    DrawTextA(dc, string_cstr(text_), static_cast<int>(string_length(text_)), &area,
              kWrapped | draw_text_alignment(align_));
}

// One line per CR, LF or CR LF, each on its own baseline.
void StaticTextPane::draw_lines(HDC dc) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    int x = rect.left;
    UINT horizontal = TA_LEFT;
    if (align_ == 1) x = (rect.left + rect.right) / 2, horizontal = TA_CENTER;
    else if (align_ == 2) x = rect.right, horizontal = TA_RIGHT;
    SetTextAlign(dc, TA_BASELINE | horizontal);
    const char* bytes = string_cstr(text_);
    const int length = static_cast<int>(string_length(text_));
    int baseline = rect.top + metrics.tmAscent;
    for (int start = 0, i = 0; i <= length; ++i) {
        if (i < length && bytes[i] != '\r' && bytes[i] != '\n') continue;
        TextOutA(dc, x, baseline, bytes + start, i - start);
        baseline += metrics.tmAscent + metrics.tmDescent;
        if (i + 1 < length && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
}
