#include "controls/static_text/static_text.h"

#include <cstddef>

#include "controls/builtin_control.h"
#include "controls/static_text/static_text_pane.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "objects/classes.h"
#include "panes/binding_interfaces.h"
#include "panes/control_panes.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

StaticTextObject* label_of(RuntimeObject* object) { return reinterpret_cast<StaticTextObject*>(object); }
StaticTextPane* pane_of(StaticTextObject* label) { return static_cast<StaticTextPane*>(control_pane(&label->control)); }

#define FIELD(member) static_cast<std::uint32_t>(offsetof(StaticTextObject, member))
#define STYLE(member) static_cast<std::uint32_t>(offsetof(StaticTextObject, style) + offsetof(TextStyle, member))

const PropertyRow kRows[] = {
    {0, "Text", &kStringType, kValue, as_getter(stringGetter), as_setter(staticCaptionSetter), FIELD(text)},
    {0, "Caption", &kStringType, kValue, as_getter(stringGetter), as_setter(staticCaptionSetter), FIELD(text)},
    {0, "TextAlign", &kIntegerType, kValue, field16_getter, as_setter(staticTextAlignSetter), FIELD(align)},
    {0, "TextColor", &kColorType, kValue, field32_getter, as_setter(staticTextColorSetter), FIELD(colour)},
    {0, "TextFont", &kStringType, kValue, as_getter(stringGetter), as_setter(staticTextFontSetter), STYLE(font)},
    {0, "TextSize", &kIntegerType, kValue, field16_getter, as_setter(staticTextSizeSetter), STYLE(size)},
    {0, "Bold", &kBooleanType, kValue, field8_getter, as_setter(staticAttributeSetter), STYLE(bold)},
    {0, "Italic", &kBooleanType, kValue, field8_getter, as_setter(staticAttributeSetter), STYLE(italic)},
    {0, "Underline", &kBooleanType, kValue, field8_getter, as_setter(staticAttributeSetter), STYLE(underline)},
    {0, "MultiLine", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(multi_line)},
};

void destroy(RuntimeObject* object, RuntimeClass*) {
    StaticTextObject* label = label_of(object);
    text_style_release(label->style);
    RuntimeUnlockString(label->text);
    label->text = nullptr;
}

void create_pane(RuntimeObject* object) {
    StaticTextObject* label = label_of(object);
    auto* pane = new StaticTextPane(label);
    const PaneCreation how = {label->control.rect, nullptr, nullptr, nullptr, 0, 0};
    if (!pane->create(how)) {
        delete pane;
        return;
    }
    pane->set_text(label->text);
    pane->set_align(label->align);
    pane->set_colour(label->colour);
    pane->set_style(label->style);
    pane->set_multi_line(label->multi_line);
    label->control.pane = pane;
}

// The text as a binding reads and writes it.
RuntimeString* text_of(RuntimeObject* label) {
    RuntimeLockString(label_of(label)->text);
    return label_of(label)->text;
}

void set_text(RuntimeObject* label, RuntimeString* text) { staticCaptionSetter(label, 0, text); }

// The style after a change: the pane takes it when it differs.
void style_changed(StaticTextObject* label) {
    if (StaticTextPane* pane = pane_of(label)) pane->set_style(label->style);
}

}  // namespace

void static_text_describe() {
    property_table_install(B::StaticText, kRows);
    builtin_class(B::StaticText)->destructor = destroy;
    control_class_create_pane(B::StaticText, create_pane);
    builtin_implements(B::StaticText, "StringProvider", text_of);
    builtin_implements(B::StaticText, "StringInterface", text_of, set_text);
}

extern "C" {

void staticCaptionSetter(RuntimeObject* object, std::uint32_t, RuntimeString* text) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    string_assign(&label->text, text);
    if (StaticTextPane* pane = pane_of(label)) pane->set_text(text);
}

void staticTextAlignSetter(RuntimeObject* object, std::uint32_t, std::int32_t align) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    label->align = static_cast<std::int16_t>(align);
    if (StaticTextPane* pane = pane_of(label)) pane->set_align(label->align);
}

void staticTextColorSetter(RuntimeObject* object, std::uint32_t, std::int32_t colour) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    label->colour = static_cast<std::uint32_t>(colour);
    if (StaticTextPane* pane = pane_of(label)) pane->set_colour(label->colour);
}

void staticTextFontSetter(RuntimeObject* object, std::uint32_t, RuntimeString* name) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    string_assign(&label->style.font, name);
    style_changed(label);
}

void staticTextSizeSetter(RuntimeObject* object, std::uint32_t, std::int32_t size) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    label->style.size = static_cast<std::int16_t>(size);
    style_changed(label);
}

// Only the three attribute bytes of the style can be named.
void staticAttributeSetter(RuntimeObject* object, std::uint32_t field, bool on) {
    if (!object) return;
    StaticTextObject* label = label_of(object);
    std::uint8_t* attribute = nullptr;
    if (field == STYLE(bold)) attribute = &label->style.bold;
    else if (field == STYLE(italic)) attribute = &label->style.italic;
    else if (field == STYLE(underline)) attribute = &label->style.underline;
    if (!attribute) return;
    *attribute = on ? 1 : 0;
    style_changed(label);
}

}  // extern "C"

#undef FIELD
#undef STYLE
