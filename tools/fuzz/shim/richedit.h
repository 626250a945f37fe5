// The character format of a rich-edit window, for the style data reader.
#pragma once

#include "windows.h"

#define LF_FACESIZE 32
#define CFM_BOLD 0x00000001u
#define CFM_ITALIC 0x00000002u
#define CFM_UNDERLINE 0x00000004u
#define CFM_FACE 0x20000000u
#define CFM_COLOR 0x40000000u
#define CFE_BOLD 0x0001u
#define CFE_ITALIC 0x0002u
#define CFE_UNDERLINE 0x0004u
#define CFE_AUTOCOLOR 0x40000000u

struct CHARFORMATA {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE];
};
