// The BevelButton's look: frame, bevel rings, fill, icon, caption and the
// menu arrow, in that order.
#include "bevel_button.h"
#include "services.h"

namespace {

struct Look {
    bool enabled, pressed, value;
    int fill;  // a system colour
};

// The rings from the outside in; `r` ends up inside them.
void draw_bevel(HDC dc, RECT& r, const BevelData& d, const Look& look) {
    const int top_left = look.pressed || look.value ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    const int bottom_right = look.value ? COLOR_BTNSHADOW : look.pressed ? COLOR_BTNFACE : COLOR_BTNSHADOW;
    for (int i = 0; i <= d.bevel && r.right > r.left && r.bottom > r.top; ++i) {
        draw_ring(dc, r, top_left, bottom_right);
        InflateRect(&r, -1, -1);
    }
}

// Where the icon goes by IconAlign; centred unless told otherwise.
RECT icon_place(const RECT& r, const BevelData& d, int w, int h) {
    RECT place = centred(r, w, h);
    const bool left = d.icon_align == 0 || d.icon_align == 2 || d.icon_align == 6 || d.icon_align == 7;
    const bool right = d.icon_align == 3 || d.icon_align == 8 || d.icon_align == 9;
    const bool top = d.icon_align == 4 || d.icon_align == 6 || d.icon_align == 8;
    const bool bottom = d.icon_align == 5 || d.icon_align == 7 || d.icon_align == 9;
    if (left) place.left = r.left + d.icon_dx;
    if (right) place.left = r.right - d.icon_dx - w;
    if (top) place.top = r.top + d.icon_dy;
    if (bottom) place.top = r.bottom - d.icon_dy - h;
    place.right = place.left + w;
    place.bottom = place.top + h;
    return place;
}

// The icon's place, or an empty rectangle without one.
RECT draw_icon(HDC dc, const RECT& r, const BevelData& d) {
    const Services& s = services();
    RECT place = {0, 0, 0, 0};
    if (!d.icon) return place;
    const TAVOPictureDescription* picture = s.lock_picture(d.icon);
    if (!picture) return place;
    place = icon_place(r, d, picture->width, picture->height);
    s.unlock_picture(d.icon);
    s.draw_picture(d.icon, dc, &place);
    return place;
}

// Fonts are made once per look and kept for the life of the process: a
// window of buttons in one font shares one, and realising a font is slow.
struct CachedFont {
    char face[LF_FACESIZE];
    int size, charset;
    std::uint8_t bold, italic, underline;
    HFONT font;
};
constexpr int kCachedFonts = 16;
CachedFont g_fonts[kCachedFonts];
int g_font_count = 0, g_next_evicted = 0;

HFONT font_for(const BevelData& d) {
    const Services& s = services();
    const char* face = d.text_font ? s.string_text(d.text_font) : "";
    const int charset = s.win32_charset();
    for (int i = 0; i < g_font_count; ++i) {
        const CachedFont& f = g_fonts[i];
        if (f.size == d.text_size && f.charset == charset && f.bold == d.bold && f.italic == d.italic &&
            f.underline == d.underline && lstrcmpA(f.face, face) == 0)
            return f.font;
    }
    HFONT font = CreateFontA(-d.text_size, 0, 0, 0, d.bold ? FW_BOLD : FW_NORMAL, d.italic, d.underline, 0,
                             static_cast<BYTE>(charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    if (!font) return nullptr;
    int slot = g_font_count < kCachedFonts ? g_font_count++ : g_next_evicted++ % kCachedFonts;
    if (g_fonts[slot].font) DeleteObject(g_fonts[slot].font);
    CachedFont& f = g_fonts[slot];
    lstrcpynA(f.face, face, LF_FACESIZE);
    f.size = d.text_size;
    f.charset = charset;
    f.bold = d.bold;
    f.italic = d.italic;
    f.underline = d.underline;
    f.font = font;
    return font;
}

void draw_caption(HDC dc, const RECT& r, const RECT& icon, const BevelData& d, const Look& look) {
    const char* text = d.caption ? services().string_text(d.caption) : "";
    const int length = lstrlenA(text);
    if (length == 0) return;
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int height = metrics.tmAscent + metrics.tmDescent;
    int x = (r.left + r.right - size.cx) / 2;
    int top = (r.top + r.bottom - height) / 2;
    const bool has_icon = icon.right > icon.left;
    bool beside_icon = false;
    if (has_icon) {
        switch (d.caption_placement) {
            case 2: x = icon.right + d.caption_delta, beside_icon = true; break;
            case 3: x = icon.left - d.caption_delta - size.cx, beside_icon = true; break;
            case 4: top = icon.bottom + d.caption_delta; break;
            case 5: top = icon.top - d.caption_delta - height; break;
            default: break;
        }
    }
    if (!beside_icon) {
        if (d.caption_align == 0 || d.caption_align == 2) x = r.left + d.caption_delta;
        else if (d.caption_align == 1) x = r.right - d.caption_delta - size.cx;
    }
    const int baseline = top + metrics.tmAscent;
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    if (look.enabled) {
        SetTextColor(dc, look.pressed ? RGB(0xFF, 0xFF, 0xFF) : GetSysColor(COLOR_BTNTEXT));
    } else {
        // Etched: a highlight copy one pixel down and right, the shadow on top.
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        TextOutA(dc, x + 1, baseline + 1, text, length);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    TextOutA(dc, x, baseline, text, length);
}

void draw_menu_arrow(HDC dc, const RECT& r, const BevelData& d, const Look& look) {
    const COLORREF colour = GetSysColor(look.enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    if (d.has_menu == kMenuBelow) draw_arrow(dc, {r.right - 12, r.bottom - 8, r.right - 2, r.bottom - 2}, kFacingDown, colour);
    else if (d.has_menu == kMenuRight) draw_arrow(dc, {r.right - 8, r.bottom - 12, r.right - 2, r.bottom - 2}, kFacingRight, colour);
}

}  // namespace

void bevel_redraw(void* control, void* graphics) {
    HDC dc = services().graphics_dc(graphics);
    if (!dc) return;
    const BevelData& d = bevel_data(control);
    Look look;
    look.enabled = control_enabled(control);
    look.pressed = look.enabled && d.pressed;
    look.value = d.value != 0;
    look.fill = look.value ? COLOR_BTNSHADOW : COLOR_BTNFACE;

    RECT r = control_bounds(control);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    if (look.enabled) draw_bevel(dc, r, d, look);
    if (r.right <= r.left || r.bottom <= r.top) return;
    fill_system(dc, r, look.fill);

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    HFONT font = font_for(d);
    HGDIOBJ previous_font = font ? SelectObject(dc, font) : nullptr;
    const RECT icon = draw_icon(dc, r, d);
    draw_caption(dc, r, icon, d, look);
    draw_menu_arrow(dc, r, d, look);
    if (previous_font) SelectObject(dc, previous_font);
    RestoreDC(dc, saved);
}

void bevel_redraw_at_once(void* control) { redraw_now(control, bevel_redraw); }
