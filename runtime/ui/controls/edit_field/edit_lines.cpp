// Lines and scrolling. Positions seen by application code count from 1,
// lines from 0.
#include <richedit.h>

#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "strings/runtime_string.h"

namespace {

RichEditPane* pane_of(RuntimeObject* object) { return edit_field_pane(edit_field_of(object)); }

std::int32_t ask(HWND window, UINT message, WPARAM wparam = 0) {
    return static_cast<std::int32_t>(SendMessageA(window, message, wparam, 0));
}

}  // namespace

extern "C" {

std::int32_t editScrollPositionGetter(RuntimeObject* field, std::uint32_t) {
    RichEditPane* pane = pane_of(field);
    return pane && pane->native ? ask(pane->native, EM_GETFIRSTVISIBLELINE) : 0;
}

void editScrollPositionSetter(RuntimeObject* field, std::uint32_t, std::int32_t line) {
    RichEditPane* pane = pane_of(field);
    if (!pane || !pane->native) return;
    SendMessageA(pane->native, EM_LINESCROLL, 0, line - ask(pane->native, EM_GETFIRSTVISIBLELINE));
}

// The line of the character at `position`; positions past the text give
// the line count. The last character is on the last line, not past it.
std::int32_t editLineNumAtCharPos(RuntimeObject* field, std::int32_t position) {
    RichEditPane* pane = pane_of(field);
    if (!pane || !pane->native || position <= 0) return 0;
    if (static_cast<std::uint32_t>(position) <= pane->text_length())
        return ask(pane->native, EM_LINEFROMCHAR, static_cast<WPARAM>(position - 1));
    return ask(pane->native, EM_GETLINECOUNT);
}

// The position of the first character of `line`; lines past the end give
// the text length + 1.
std::int32_t editCharPosAtLineNum(RuntimeObject* field, std::int32_t line) {
    if (line < 0) return 0;
    if (line == 0) return 1;
    EditFieldObject* f = edit_field_of(field);
    RichEditPane* pane = edit_field_pane(f);
    if (!pane || !pane->native) return f ? static_cast<std::int32_t>(string_length(f->text)) + 1 : 1;
    if (line < ask(pane->native, EM_GETLINECOUNT)) return ask(pane->native, EM_LINEINDEX, static_cast<WPARAM>(line)) + 1;
    return static_cast<std::int32_t>(pane->text_length()) + 1;
}

}  // extern "C"
