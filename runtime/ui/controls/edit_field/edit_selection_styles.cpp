// Character styles of the selection through the rich-edit character
// formats. The four styles Windows has no form of are refused with a box.
#include <richedit.h>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "strings/runtime_string.h"

namespace {

HWND window_of(RuntimeObject* object) {
    RichEditPane* pane = edit_field_pane(edit_field_of(object));
    return pane ? pane->native : nullptr;
}

// Only a styled field gives characters styles of their own; a plain one
// keeps the look of the field as a whole.
HWND styled_window_of(RuntimeObject* object) {
    RichEditPane* pane = edit_field_pane(edit_field_of(object));
    return pane && pane->styled ? pane->native : nullptr;
}

CHARFORMATA selection_format(HWND window) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(window, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return format;
}

void format_selection(HWND window, CHARFORMATA& format) {
    format.cbSize = sizeof format;
    SendMessageA(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// True when the whole selection has the effect.
bool effect(RuntimeObject* object, DWORD mask, DWORD bit) {
    HWND window = window_of(object);
    if (!window) return false;
    const CHARFORMATA format = selection_format(window);
    return (format.dwMask & mask) && (format.dwEffects & bit);
}

void set_effect(RuntimeObject* object, DWORD mask, DWORD bit, bool on) {
    HWND window = styled_window_of(object);
    if (!window) return;
    CHARFORMATA format = {};
    format.dwMask = mask;
    format.dwEffects = on ? bit : 0;
    format_selection(window, format);
}

void toggle_effect(RuntimeObject* object, DWORD mask, DWORD bit) { set_effect(object, mask, bit, !effect(object, mask, bit)); }

void refuse_style(const char* name) {
    char text[80];
    wsprintfA(text, "Windows does not support the '%s' text font style.", name);
    MessageBoxA(nullptr, text, "", MB_ICONWARNING);
}

constexpr DWORD kPlainMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;

}  // namespace

extern "C" {

bool editSelBoldGetter(RuntimeObject* field, std::uint32_t) { return effect(field, CFM_BOLD, CFE_BOLD); }
void editSelBoldSetter(RuntimeObject* field, std::uint32_t, bool on) { set_effect(field, CFM_BOLD, CFE_BOLD, on); }
bool editSelItalicGetter(RuntimeObject* field, std::uint32_t) { return effect(field, CFM_ITALIC, CFE_ITALIC); }
void editSelItalicSetter(RuntimeObject* field, std::uint32_t, bool on) {
    set_effect(field, CFM_ITALIC, CFE_ITALIC, on);
}
bool editSelUnderlineGetter(RuntimeObject* field, std::uint32_t) { return effect(field, CFM_UNDERLINE, CFE_UNDERLINE); }
void editSelUnderlineSetter(RuntimeObject* field, std::uint32_t, bool on) {
    set_effect(field, CFM_UNDERLINE, CFE_UNDERLINE, on);
}

bool editSelPlainGetter(RuntimeObject* field, std::uint32_t) {
    HWND window = window_of(field);
    if (!window) return false;
    const CHARFORMATA format = selection_format(window);
    return (format.dwMask & kPlainMask) == kPlainMask && (format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE)) == 0;
}

// Plain clears all three; there is no "unplain" to set.
void editSelPlainSetter(RuntimeObject* field, std::uint32_t, bool) { set_effect(field, kPlainMask, 0, false); }

void editToggleSelectionBold(RuntimeObject* field) { toggle_effect(field, CFM_BOLD, CFE_BOLD); }
void editToggleSelectionItalic(RuntimeObject* field) { toggle_effect(field, CFM_ITALIC, CFE_ITALIC); }
void editToggleSelectionUnderline(RuntimeObject* field) { toggle_effect(field, CFM_UNDERLINE, CFE_UNDERLINE); }

bool editSelOutlineGetter(RuntimeObject*, std::uint32_t) {
    refuse_style("Outline");
    return false;
}
void editSelOutlineSetter(RuntimeObject*, std::uint32_t, bool) { refuse_style("Outline"); }
bool editSelShadowGetter(RuntimeObject*, std::uint32_t) {
    refuse_style("Shadow");
    return false;
}
void editSelShadowSetter(RuntimeObject*, std::uint32_t, bool) { refuse_style("Shadow"); }
bool editSelCondenseGetter(RuntimeObject*, std::uint32_t) {
    refuse_style("Condensed");
    return false;
}
void editSelCondenseSetter(RuntimeObject*, std::uint32_t, bool) { refuse_style("Condensed"); }
bool editSelExtendGetter(RuntimeObject*, std::uint32_t) {
    refuse_style("Extended");
    return false;
}
void editSelExtendSetter(RuntimeObject*, std::uint32_t, bool) { refuse_style("Extended"); }
void editToggleSelectionOutline(RuntimeObject*) {}
void editToggleSelectionShadow(RuntimeObject*) {}
void editToggleSelectionCondense(RuntimeObject*) {}
void editToggleSelectionExtend(RuntimeObject*) {}

RuntimeString* editSelTextFontGetter(RuntimeObject* field, std::uint32_t) {
    HWND window = window_of(field);
    if (!window) return nullptr;
    const CHARFORMATA format = selection_format(window);
    return (format.dwMask & CFM_FACE) ? string_from_cstr(format.szFaceName) : nullptr;
}

void editSelTextFontSetter(RuntimeObject* field, std::uint32_t, RuntimeString* name) {
    HWND window = styled_window_of(field);
    if (!window || !string_length(name)) return;
    CHARFORMATA format = {};
    format.dwMask = CFM_FACE;
    lstrcpynA(format.szFaceName, string_cstr(name), LF_FACESIZE);
    format_selection(window, format);
}

// Sizes in points; the formats count twentieths of a point.
std::int32_t editSelTextSizeGetter(RuntimeObject* field, std::uint32_t) {
    HWND window = window_of(field);
    if (!window) return 0;
    const CHARFORMATA format = selection_format(window);
    return (format.dwMask & CFM_SIZE) ? (format.yHeight + 10) / 20 : 0;
}

void editSelTextSizeSetter(RuntimeObject* field, std::uint32_t, std::int32_t points) {
    HWND window = styled_window_of(field);
    if (!window || points <= 0 || points > 1638) return;
    CHARFORMATA format = {};
    format.dwMask = CFM_SIZE;
    format.yHeight = points * 20;
    format_selection(window, format);
}

std::int32_t editSelTextColorGetter(RuntimeObject* field, std::uint32_t) {
    HWND window = window_of(field);
    if (!window) return 0;
    const CHARFORMATA format = selection_format(window);
    if (!(format.dwMask & CFM_COLOR)) return 0;
    const COLORREF c = (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
    return static_cast<std::int32_t>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

void editSelTextColorSetter(RuntimeObject* field, std::uint32_t, std::uint32_t rgb) {
    HWND window = styled_window_of(field);
    if (!window) return;
    CHARFORMATA format = {};
    format.dwMask = CFM_COLOR;
    format.crTextColor = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    format_selection(window, format);
}

}  // extern "C"
