// The field's font: the text style record, and with a pane the pane's font
// made anew from it.
#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "strings/runtime_string.h"

namespace {

EditFieldObject* as_field(RuntimeObject* object) { return edit_field_of(object); }

void restyle_font(EditFieldObject* f) {
    if (RichEditPane* pane = edit_field_pane(f)) pane->set_font(f->style);
}

bool style_flag(RuntimeObject* object, std::uint8_t TextStyle::*which) {
    EditFieldObject* f = as_field(object);
    return f && f->style.*which;
}

void set_style_flag(RuntimeObject* object, std::uint8_t TextStyle::*which, bool on) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->style.*which = on;
    restyle_font(f);
}

}  // namespace

extern "C" {

RuntimeString* editTextFontGetter(RuntimeObject* object, std::uint32_t) {
    EditFieldObject* f = as_field(object);
    if (!f) return nullptr;
    RuntimeLockString(f->style.font);
    return f->style.font;
}

void editTextFontSetter(RuntimeObject* object, std::uint32_t, RuntimeString* name) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    string_assign(&f->style.font, name);
    restyle_font(f);
}

std::int32_t editTextSizeGetter(RuntimeObject* object, std::uint32_t) {
    EditFieldObject* f = as_field(object);
    return f ? f->style.size : 0;
}

void editTextSizeSetter(RuntimeObject* object, std::uint32_t, std::int32_t points) {
    EditFieldObject* f = as_field(object);
    if (!f) return;
    f->style.size = static_cast<std::int16_t>(points > 0 && points < 0x8000 ? points : 0);
    restyle_font(f);
}

bool editBoldGetter(RuntimeObject* object, std::uint32_t) { return style_flag(object, &TextStyle::bold); }
void editBoldSetter(RuntimeObject* object, std::uint32_t, bool on) { set_style_flag(object, &TextStyle::bold, on); }
bool editItalicGetter(RuntimeObject* object, std::uint32_t) { return style_flag(object, &TextStyle::italic); }
void editItalicSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_style_flag(object, &TextStyle::italic, on);
}
bool editUnderlineGetter(RuntimeObject* object, std::uint32_t) { return style_flag(object, &TextStyle::underline); }
void editUnderlineSetter(RuntimeObject* object, std::uint32_t, bool on) {
    set_style_flag(object, &TextStyle::underline, on);
}

}  // extern "C"
