// The text style record of the text-bearing controls: font name, bold,
// italic and underline, size. Controls keep one; their panes keep a copy.
#pragma once

#include <windows.h>

#include <cstdint>

struct RuntimeString;

struct TextStyle {
    RuntimeString* font;  // one reference; nil or the default name: the default face
    std::uint8_t bold, italic, underline, unused;
    std::int16_t size;  // points; 0 the default size
    std::int16_t unused_size_high;
};
static_assert(sizeof(TextStyle) == 12, "the text style record is three words");

// `to` becomes a copy of `from` (the font name gains a reference).
void text_style_copy(TextStyle& to, const TextStyle& from);
void text_style_release(TextStyle& style);
bool text_style_equal(const TextStyle& a, const TextStyle& b);

// A new font for the style (the caller deletes it). The default name and a
// missing one give the face of the system's interface font.
HFONT text_style_font(const TextStyle& style);

// The ui_services() hook: the name that stands for the default face, and
// the size used where a style says 0.
void text_style_set_default(const char* name, int size);
