#include "windows/application_palette.h"

HPALETTE application_palette() {
    static HPALETTE palette = [] {
        HDC screen = GetDC(nullptr);
        HPALETTE made = CreateHalftonePalette(screen);
        ReleaseDC(nullptr, screen);
        return made;
    }();
    return palette;
}

HPALETTE application_palette_select(HDC dc) {
    HPALETTE palette = application_palette();
    if (!palette) return nullptr;
    HPALETTE old = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    return old;
}
