// Reading EditField style data: one record per character of the text, in
// order. A record is a flags byte (1 bold, 2 italic, 4 underline, 8 a font
// name follows, 0x10 a colour follows), then the font name as a length byte
// and that many bytes, then the colour as red, green and blue bytes.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <cstdint>

constexpr std::uint8_t kStyleBold = 1, kStyleItalic = 2, kStyleUnderline = 4, kStyleFont = 8, kStyleColour = 0x10;

// Called for each run [start, end) of characters whose records are equal.
using StyleRunStep = void (*)(void* context, LONG start, LONG end, CHARFORMATA& format);

// Reads the records of the first `length` characters from `data`, as far
// as it holds whole records, and hands each run of equal records to `step`.
void style_records_each_run(const std::uint8_t* data, std::uint32_t size, std::uint32_t length, StyleRunStep step,
                            void* context);
