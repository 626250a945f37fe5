// Style data: one record per character of the text, in order. A record is
// a flags byte (1 bold, 2 italic, 4 underline, 8 a font name follows,
// 0x10 a colour follows), then the font name as a length byte and that
// many bytes, then the colour as red, green and blue bytes.
#include <richedit.h>

#include <cstring>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "strings/runtime_string.h"

namespace {

constexpr std::uint8_t kBold = 1, kItalic = 2, kUnderline = 4, kFont = 8, kColour = 0x10;
constexpr std::uint8_t kKnownFlags = kBold | kItalic | kUnderline | kFont | kColour;
// The largest record: flags, a full face name with its length byte, colour.
constexpr std::uint32_t kRecordCapacity = 37;
constexpr const char* kPlainFace = "MS Sans Serif";

// Changes of the selection made here reach the application as nothing.
struct QuietSelection {
    EditFieldObject* field;
    std::uint8_t text_guard, selection_guard;
    CHARRANGE kept;
};

QuietSelection quiet(EditFieldObject* f, HWND window) {
    QuietSelection q = {f, f->text_change_guard, f->selection_change_guard, {0, 0}};
    SendMessageA(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&q.kept));
    f->text_change_guard = f->selection_change_guard = 1;
    return q;
}

void loud(const QuietSelection& q, HWND window) {
    SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&q.kept));
    q.field->text_change_guard = q.text_guard;
    q.field->selection_change_guard = q.selection_guard;
}

void select(HWND window, LONG start, LONG end) {
    CHARRANGE range = {start, end};
    SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// One character's record into `out`; its length.
std::uint32_t record_of(const CHARFORMATA& format, std::uint8_t* out) {
    std::uint8_t flags = 0;
    if (format.dwEffects & CFE_BOLD) flags |= kBold;
    if (format.dwEffects & CFE_ITALIC) flags |= kItalic;
    if (format.dwEffects & CFE_UNDERLINE) flags |= kUnderline;
    const bool has_face = (format.dwMask & CFM_FACE) && format.szFaceName[0];
    const bool has_colour = (format.dwMask & CFM_COLOR) != 0;
    if (has_face) flags |= kFont;
    if (has_colour) flags |= kColour;
    std::uint32_t n = 0;
    out[n++] = flags;
    if (has_face) {
        const std::uint32_t length = static_cast<std::uint32_t>(lstrlenA(format.szFaceName));
        out[n++] = static_cast<std::uint8_t>(length);
        std::memcpy(out + n, format.szFaceName, length);
        n += length;
    }
    if (has_colour) {
        const COLORREF c = (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
        out[n++] = GetRValue(c);
        out[n++] = GetGValue(c);
        out[n++] = GetBValue(c);
    }
    return n;
}

// The next whole record at `at`, as a character format; false when the
// data ends inside it or its flags are not a record's.
bool read_record(const std::uint8_t* data, std::uint32_t size, std::uint32_t& at, CHARFORMATA& format) {
    if (at >= size) return false;
    const std::uint8_t flags = data[at];
    if (flags & ~kKnownFlags) return false;
    std::uint32_t next = at + 1;
    format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    if (flags & kBold) format.dwEffects |= CFE_BOLD;
    if (flags & kItalic) format.dwEffects |= CFE_ITALIC;
    if (flags & kUnderline) format.dwEffects |= CFE_UNDERLINE;
    if (flags & kFont) {
        if (next >= size) return false;
        const std::uint32_t length = data[next++];
        if (length > size - next) return false;
        const std::uint32_t kept = length < LF_FACESIZE ? length : LF_FACESIZE - 1;
        std::memcpy(format.szFaceName, data + next, kept);
        next += length;
        if (kept) format.dwMask |= CFM_FACE;
    }
    if (flags & kColour) {
        if (size - next < 3) return false;
        format.dwMask |= CFM_COLOR;
        format.crTextColor = RGB(data[next], data[next + 1], data[next + 2]);
        next += 3;
    }
    at = next;
    return true;
}

bool same_format(const CHARFORMATA& a, const CHARFORMATA& b) {
    return a.dwMask == b.dwMask && a.dwEffects == b.dwEffects && a.crTextColor == b.crTextColor &&
           lstrcmpA(a.szFaceName, b.szFaceName) == 0;
}

void apply(HWND window, LONG start, LONG end, CHARFORMATA& format) {
    select(window, start, end);
    SendMessageA(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

extern "C" {

RuntimeString* editTextStyleDataGetter(RuntimeObject* object, std::uint32_t) {
    EditFieldObject* f = edit_field_of(object);
    RichEditPane* pane = edit_field_pane(f);
    if (!pane || !pane->native) return nullptr;
    HWND window = pane->native;
    const std::uint32_t length = pane->text_length();
    RuntimeString* data = string_allocate(length * kRecordCapacity + kRecordCapacity);
    std::uint8_t* out = string_bytes(data);
    std::uint32_t used = 0;
    const QuietSelection q = quiet(f, window);
    for (std::uint32_t i = 0; i < length; ++i) {
        select(window, static_cast<LONG>(i), static_cast<LONG>(i + 1));
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        SendMessageA(window, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
        used += record_of(format, out + used);
    }
    loud(q, window);
    RuntimeString* exact = string_slice(data, 0, used);
    RuntimeUnlockString(data);
    return exact;
}

// The text, then plain "MS Sans Serif" throughout, then each character's
// record as far as the data holds whole records; runs of equal records
// are applied at once.
void editSetTextAndStyle(RuntimeObject* object, RuntimeString* text, RuntimeString* style_data) {
    EditFieldObject* f = edit_field_of(object);
    editTextSetter(object, 0, text);
    RichEditPane* pane = edit_field_pane(f);
    if (!pane || !pane->native) return;
    HWND window = pane->native;
    const QuietSelection q = quiet(f, window);
    CHARFORMATA plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE;
    lstrcpyA(plain.szFaceName, kPlainFace);
    SendMessageA(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));

    const std::uint8_t* data = string_data(style_data);
    const std::uint32_t size = string_length(style_data), length = pane->text_length();
    std::uint32_t at = 0;
    CHARFORMATA run = {}, next = {};
    LONG run_start = 0, i = 0;
    for (; static_cast<std::uint32_t>(i) < length && read_record(data, size, at, next); ++i) {
        if (i > run_start && !same_format(run, next)) {
            apply(window, run_start, i, run);
            run_start = i;
        }
        run = next;
    }
    if (i > run_start) apply(window, run_start, i, run);
    loud(q, window);
}

}  // extern "C"
