// Style data of an EditField: written from the characters' formats, read
// back through style_records.
#include <richedit.h>

#include <cstring>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "controls/edit_field/style_records.h"
#include "strings/runtime_string.h"

namespace {

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
    if (format.dwEffects & CFE_BOLD) flags |= kStyleBold;
    if (format.dwEffects & CFE_ITALIC) flags |= kStyleItalic;
    if (format.dwEffects & CFE_UNDERLINE) flags |= kStyleUnderline;
    const bool has_face = (format.dwMask & CFM_FACE) && format.szFaceName[0];
    const bool has_colour = (format.dwMask & CFM_COLOR) != 0;
    if (has_face) flags |= kStyleFont;
    if (has_colour) flags |= kStyleColour;
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

void apply(void* window_handle, LONG start, LONG end, CHARFORMATA& format) {
    HWND window = static_cast<HWND>(window_handle);
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
// are applied at once. A plain field takes the text alone.
void editSetTextAndStyle(RuntimeObject* object, RuntimeString* text, RuntimeString* style_data) {
    EditFieldObject* f = edit_field_of(object);
    editTextSetter(object, 0, text);
    RichEditPane* pane = edit_field_pane(f);
    if (!pane || !pane->native || !pane->styled) return;
    HWND window = pane->native;
    const QuietSelection q = quiet(f, window);
    CHARFORMATA plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE;
    lstrcpyA(plain.szFaceName, kPlainFace);
    SendMessageA(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));

    style_records_each_run(string_data(style_data), string_length(style_data), pane->text_length(), apply, window);
    loud(q, window);
}

}  // extern "C"
