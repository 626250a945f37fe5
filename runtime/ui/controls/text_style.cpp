#include "controls/text_style.h"

#include <cstring>

#include "objects/names.h"
#include "startup/project_settings.h"
#include "strings/runtime_string.h"

namespace {

char g_default_name[LF_FACESIZE] = "System";
int g_default_size = 12;

bool same_text(const RuntimeString* a, const RuntimeString* b) {
    return string_length(a) == string_length(b) &&
           std::memcmp(string_cstr(a), string_cstr(b), string_length(a)) == 0;
}

bool is_default_face(const RuntimeString* name) {
    return string_length(name) == 0 ||
           name_compare(string_cstr(name), string_length(name), g_default_name, std::strlen(g_default_name)) == 0;
}

// The face that native controls show by default; the raster font that the
// default name would otherwise pick has no bold, italic or small sizes.
void interface_face(char (&face)[LF_FACESIZE]) {
    LOGFONTA gui = {};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui) && gui.lfFaceName[0])
        lstrcpynA(face, gui.lfFaceName, LF_FACESIZE);
    else
        lstrcpynA(face, "MS Sans Serif", LF_FACESIZE);
}

}  // namespace

void text_style_copy(TextStyle& to, const TextStyle& from) {
    RuntimeString* font = to.font;
    to = from;
    to.font = nullptr;
    string_assign(&to.font, from.font);
    RuntimeUnlockString(font);
}

void text_style_release(TextStyle& style) {
    RuntimeUnlockString(style.font);
    style.font = nullptr;
}

bool text_style_equal(const TextStyle& a, const TextStyle& b) {
    return same_text(a.font, b.font) && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.size == b.size;
}

HFONT text_style_font(const TextStyle& style) {
    LOGFONTA font = {};
    font.lfHeight = -(style.size > 0 ? style.size : g_default_size);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.italic ? 1 : 0;
    font.lfUnderline = style.underline ? 1 : 0;
    font.lfCharSet = project_settings().charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    if (is_default_face(style.font)) interface_face(font.lfFaceName);
    else lstrcpynA(font.lfFaceName, string_cstr(style.font), LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void text_style_set_default(const char* name, int size) {
    lstrcpynA(g_default_name, name && *name ? name : "System", LF_FACESIZE);
    if (size > 0) g_default_size = size;
}
