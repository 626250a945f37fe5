// Text, selection, and the settings of the field as a whole. Setters store
// into the field; with a pane they pass the value on.
#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "strings/runtime_string.h"

namespace {

EditFieldObject* as_field(RuntimeObject* object) { return edit_field_of(object); }
RichEditPane* pane_of(RuntimeObject* object) { return edit_field_pane(as_field(object)); }

// A look flag changed: the pane gets a new window of that look, which
// raises nothing.
void set_look_flag(RuntimeObject* object, std::uint8_t EditFieldObject::*flag, bool on) {
    EditFieldObject* f = as_field(object);
    if (!f || (f->*flag != 0) == on) return;
    f->*flag = on;
    if (RichEditPane* pane = edit_field_pane(f)) {
        const std::uint8_t text_guard = f->text_change_guard, selection_guard = f->selection_change_guard;
        f->text_change_guard = f->selection_change_guard = 1;
        pane->restyle(edit_field_look(f));
        f->text_change_guard = text_guard;
        f->selection_change_guard = selection_guard;
    }
}

bool flag(RuntimeObject* object, std::uint8_t EditFieldObject::*which) {
    EditFieldObject* f = as_field(object);
    return f && f->*which;
}

}  // namespace

extern "C" {

RuntimeString* editTextGetter(RuntimeObject* object, std::uint32_t) {
    EditFieldObject* f = as_field(object);
    if (!f) return nullptr;
    if (RichEditPane* pane = edit_field_pane(f)) return pane->text();
    RuntimeLockString(f->text);
    return f->text;
}

void editTextSetter(RuntimeObject* object, std::uint32_t, RuntimeString* text) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    if (RichEditPane* pane = edit_field_pane(f)) {
        pane->set_text(text);
        // A TextChange handler may have closed the window meanwhile.
        if (RichEditPane* still = edit_field_pane(f)) still->notify_changes();
    }
    string_assign(&f->text, text);
}

void editSetString(RuntimeObject* field, RuntimeString* text) { editTextSetter(field, 0, text); }

std::int32_t editSelStartGetter(RuntimeObject* object, std::uint32_t) {
    std::int32_t start = 0, end = 0;
    if (RichEditPane* pane = pane_of(object)) pane->selection(start, end);
    return start;
}

void editSelStartSetter(RuntimeObject* object, std::uint32_t, std::int32_t start) {
    if (RichEditPane* pane = pane_of(object)) pane->select(start, start);
}

std::int32_t editSelLengthGetter(RuntimeObject* object, std::uint32_t) {
    std::int32_t start = 0, end = 0;
    if (RichEditPane* pane = pane_of(object)) pane->selection(start, end);
    return end - start;
}

void editSelLengthSetter(RuntimeObject* object, std::uint32_t, std::int32_t length) {
    RichEditPane* pane = pane_of(object);
    if (!pane) return;
    std::int32_t start = 0, end = 0;
    pane->selection(start, end);
    pane->select(start, start + (length > 0 ? length : 0));
}

RuntimeString* editSelTextGetter(RuntimeObject* object, std::uint32_t) {
    RichEditPane* pane = pane_of(object);
    return pane ? pane->selected_text() : nullptr;
}

void editSelTextSetter(RuntimeObject* object, std::uint32_t, RuntimeString* text) {
    if (RichEditPane* pane = pane_of(object)) pane->replace_selection(text);
}

bool editReadOnlyGetter(RuntimeObject* object, std::uint32_t) { return flag(object, &EditFieldObject::read_only); }

void editReadOnlySetter(RuntimeObject* object, std::uint32_t, bool on) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->read_only = on;
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_read_only(on);
}

bool editPasswordGetter(RuntimeObject* object, std::uint32_t) { return flag(object, &EditFieldObject::password); }

void editPasswordSetter(RuntimeObject* object, std::uint32_t, bool on) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->password = on;
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_masking(on);
}

std::int32_t editLimitTextGetter(RuntimeObject* object, std::uint32_t) {
    EditFieldObject* f = as_field(object);
    return f ? f->limit : 0;
}

void editLimitTextSetter(RuntimeObject* object, std::uint32_t, std::int32_t limit) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->limit = limit > 0 ? limit : 0;
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_limit(f->limit);
}

void editTextColorSetter(RuntimeObject* object, std::uint32_t, std::uint32_t rgb) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->text_colour = rgb & 0xFFFFFF;
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_text_colour(deep_colour(f->text_colour));
}

void editBackColorSetter(RuntimeObject* object, std::uint32_t, std::uint32_t rgb) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->back_colour = rgb & 0xFFFFFF;
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_back_colour(deep_colour(f->back_colour));
}

bool editBorderGetter(RuntimeObject* object, std::uint32_t) { return flag(object, &EditFieldObject::border); }
void editBorderSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_look_flag(object, &EditFieldObject::border, on);
}
bool editMultiLineGetter(RuntimeObject* object, std::uint32_t) { return flag(object, &EditFieldObject::multi_line); }
void editMultiLineSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_look_flag(object, &EditFieldObject::multi_line, on);
}
bool editScrollBarGetter(RuntimeObject* object, std::uint32_t) { return flag(object, &EditFieldObject::scroll_bar); }
void editScrollBarSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_look_flag(object, &EditFieldObject::scroll_bar, on);
}

}  // extern "C"

void editAcceptTabsSetter(RuntimeObject* object, std::uint32_t, bool on) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->accept_tabs = on;
    if (RichEditPane* pane = edit_field_pane(f)) pane->keeps_tabs = on;
}
