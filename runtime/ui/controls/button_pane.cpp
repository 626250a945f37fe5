#include "controls/button_pane.h"

#include "strings/runtime_string.h"

ButtonPane::~ButtonPane() {
    // The child window has gone by now: the font is no longer in use.
    if (font_) DeleteObject(font_);
}

bool ButtonPane::accepts_focus() { return true; }

bool ButtonPane::make(const ShortRect& rect, RuntimeString* caption, DWORD style, const TextStyle& text_style) {
    const PaneCreation how = {rect, nullptr, string_cstr(caption), "BUTTON", style | WS_TABSTOP, 0};
    if (!create(how)) return false;
    set_style(text_style);
    return true;
}

void ButtonPane::set_caption(RuntimeString* caption) {
    if (native) SetWindowTextA(native, string_cstr(caption));
}

void ButtonPane::set_style(const TextStyle& style) {
    HFONT old = font_;
    font_ = text_style_font(style);
    if (native) SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old) DeleteObject(old);
}
