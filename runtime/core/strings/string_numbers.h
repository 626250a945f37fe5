// Number and text conversions shared by the number entry points.
#pragma once

#include "strings/string_text.h"

// The system's separators (LOCALE_SYSTEM_DEFAULT); "." and "," when the
// locale gives none.
struct NumberSeparators {
    char decimal[8];
    char thousands[8];
};
NumberSeparators system_number_separators();
