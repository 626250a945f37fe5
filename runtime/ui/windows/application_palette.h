// The application's palette: what pictures and colours are drawn with on a
// display of 256 colours or fewer (on others, selecting it changes nothing).
#pragma once

#include <windows.h>

// Made on first use and kept until the process ends.
HPALETTE application_palette();
// Selects the palette into `dc` and realizes it; gives the one it replaced.
HPALETTE application_palette_select(HDC dc);
