// The pane of a StaticText: no window of its own; it draws into its
// window's paint, from its copies of the label's text and looks.
#pragma once

#include "controls/text_style.h"
#include "panes/pane.h"

struct StaticTextObject;

class StaticTextPane : public Pane {
public:
    explicit StaticTextPane(StaticTextObject* label);
    ~StaticTextPane() override;

    void draw(HDC dc) override;

    void set_text(RuntimeString* text);
    void set_align(std::int16_t align);
    void set_colour(std::uint32_t colour);
    // Redraws only when the style differs from the pane's copy.
    void set_style(const TextStyle& style);
    void set_multi_line(bool on) { multi_line_ = on; }

private:
    RuntimeString* text_ = nullptr;
    std::int16_t align_ = 0;
    std::uint32_t colour_ = 0;
    bool multi_line_ = false;
    TextStyle style_ = {};
    HFONT font_ = nullptr;  // made from the style on first draw

    COLORREF shown_colour() const;
    void draw_wrapped(HDC dc);
    void draw_lines(HDC dc);
    void forget_font();
};
