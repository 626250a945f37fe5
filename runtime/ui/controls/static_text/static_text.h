// StaticText: a label that the runtime draws itself, in its own font and
// colour, on one line per line break or wrapped within its width.
#pragma once

#include <cstdint>

#include "controls/control_object.h"
#include "controls/text_style.h"

struct StaticTextObject {
    ControlObject control;
    TextStyle style;
    RuntimeString* text;  // one reference
    std::int16_t align;   // 0 left, 1 centre, 2 right
    std::int16_t unused_align_high;
    std::uint32_t colour;  // 0xRRGGBB
    std::uint8_t multi_line, unused[3];
};
static_assert(sizeof(StaticTextObject) == 116, "the size of the built-in class");
static_assert(offsetof(StaticTextObject, text) == 100, "compiled code reads the text at byte 100");

// The class's property table, constructor, destructor and CreatePane.
void static_text_describe();

extern "C" {
void staticCaptionSetter(RuntimeObject* label, std::uint32_t, RuntimeString* text);
void staticTextAlignSetter(RuntimeObject* label, std::uint32_t, std::int32_t align);
void staticTextColorSetter(RuntimeObject* label, std::uint32_t, std::int32_t colour);
// The selector is the field's offset in the label.
void staticTextFontSetter(RuntimeObject* label, std::uint32_t field, RuntimeString* name);
void staticTextSizeSetter(RuntimeObject* label, std::uint32_t field, std::int32_t size);
void staticAttributeSetter(RuntimeObject* label, std::uint32_t field, bool on);
}
