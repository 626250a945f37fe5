// Text comparison with letter case ignored, in the system's sort order:
// <0, 0 or >0; a prefix sorts before the longer text.
#pragma once

#include "strings/string_text.h"

int text_compare_ignoring_case(Text a, Text b);
