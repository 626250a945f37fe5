// The pane of a control made of a Win32 "BUTTON": its caption and the font
// of its text style, and the keyboard focus that a click gives it.
#pragma once

#include "controls/text_style.h"
#include "panes/native_control_pane.h"

struct RuntimeString;

class ButtonPane : public NativeControlPane {
public:
    using NativeControlPane::NativeControlPane;
    ~ButtonPane() override;

    bool accepts_focus() override;

    void set_caption(RuntimeString* caption);
    void set_style(const TextStyle& style);

protected:
    // Makes the button child with `style`; false when it could not be made.
    bool make(const ShortRect& rect, RuntimeString* caption, DWORD style, const TextStyle& text_style);

private:
    HFONT font_ = nullptr;  // given to the child; deleted after it
};
