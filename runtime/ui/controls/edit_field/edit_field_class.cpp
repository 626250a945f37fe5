#include <cstddef>

#include "controls/builtin_control.h"
#include "controls/edit_field/edit_entry_points.h"
#include "controls/edit_field/edit_field.h"
#include "controls/edit_field/edit_field_binding.h"
#include "controls/edit_field/edit_field_events.h"
#include "controls/edit_field/rich_edit_pane.h"
#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;
constexpr std::uint32_t kDesign = 0x80;

#define FIELD(member) static_cast<std::uint32_t>(offsetof(EditFieldObject, member))

const PropertyRow kEditFieldRows[] = {
    {0, "Text", &kStringType, kValue, as_getter(editTextGetter), as_setter(editTextSetter), 0},
    {0, "TextStyleData", &kStringType, kValue, as_getter(editTextStyleDataGetter), nullptr, 0},
    {kDesign, "Border", &kBooleanType, kValue, as_getter(editBorderGetter), as_setter(editBorderSetter), 0},
    {0, "MultiLine", &kBooleanType, kValue, as_getter(editMultiLineGetter), as_setter(editMultiLineSetter), 0},
    {0, "ReadOnly", &kBooleanType, kValue, as_getter(editReadOnlyGetter), as_setter(editReadOnlySetter), 0},
    {0, "Password", &kBooleanType, kValue, as_getter(editPasswordGetter), as_setter(editPasswordSetter), 0},
    {kDesign, "Styled", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(styled)},
    {kDesign, "AcceptTabs", &kBooleanType, kValue, field8_getter, as_setter(editAcceptTabsSetter),
     FIELD(accept_tabs)},
    {0, "TextColor", &kColorType, kValue, field32_getter, as_setter(editTextColorSetter), FIELD(text_colour)},
    {0, "BackColor", &kColorType, kValue, field32_getter, as_setter(editBackColorSetter), FIELD(back_colour)},
    {0, "ScrollBar", &kBooleanType, kValue, as_getter(editScrollBarGetter), as_setter(editScrollBarSetter), 0},
    {0, "TextFont", &kStringType, kValue, as_getter(editTextFontGetter), as_setter(editTextFontSetter), 0},
    {0, "TextSize", &kIntegerType, kValue, as_getter(editTextSizeGetter), as_setter(editTextSizeSetter), 0},
    {0, "Bold", &kBooleanType, kValue, as_getter(editBoldGetter), as_setter(editBoldSetter), 0},
    {0, "Italic", &kBooleanType, kValue, as_getter(editItalicGetter), as_setter(editItalicSetter), 0},
    {0, "Underline", &kBooleanType, kValue, as_getter(editUnderlineGetter), as_setter(editUnderlineSetter), 0},
    {0, "SelStart", &kIntegerType, kValue, as_getter(editSelStartGetter), as_setter(editSelStartSetter), 0},
    {0, "SelLength", &kIntegerType, kValue, as_getter(editSelLengthGetter), as_setter(editSelLengthSetter), 0},
    {0, "SelText", &kStringType, kValue, as_getter(editSelTextGetter), as_setter(editSelTextSetter), 0},
    {0, "LimitText", &kIntegerType, kValue, as_getter(editLimitTextGetter), as_setter(editLimitTextSetter), 0},
    {0, "SelBold", &kBooleanType, kValue, as_getter(editSelBoldGetter), as_setter(editSelBoldSetter), 0},
    {0, "SelUnderline", &kBooleanType, kValue, as_getter(editSelUnderlineGetter), as_setter(editSelUnderlineSetter),
     0},
    {0, "SelItalic", &kBooleanType, kValue, as_getter(editSelItalicGetter), as_setter(editSelItalicSetter), 0},
    {0, "SelOutline", &kBooleanType, kValue, as_getter(editSelOutlineGetter), as_setter(editSelOutlineSetter), 0},
    {0, "SelShadow", &kBooleanType, kValue, as_getter(editSelShadowGetter), as_setter(editSelShadowSetter), 0},
    {0, "SelCondense", &kBooleanType, kValue, as_getter(editSelCondenseGetter), as_setter(editSelCondenseSetter),
     0},
    {0, "SelExtend", &kBooleanType, kValue, as_getter(editSelExtendGetter), as_setter(editSelExtendSetter), 0},
    {0, "SelPlain", &kBooleanType, kValue, as_getter(editSelPlainGetter), as_setter(editSelPlainSetter), 0},
    {0, "SelTextFont", &kStringType, kValue, as_getter(editSelTextFontGetter), as_setter(editSelTextFontSetter), 0},
    {0, "SelTextSize", &kIntegerType, kValue, as_getter(editSelTextSizeGetter), as_setter(editSelTextSizeSetter),
     0},
    {0, "SelTextColor", &kColorType, kValue, as_getter(editSelTextColorGetter), as_setter(editSelTextColorSetter),
     0},
    {0, "LiveUpdate", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(live_update)},
    {kDesign, "UseFocusRing", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(use_focus_ring)},
};
static_assert(sizeof kEditFieldRows / sizeof kEditFieldRows[0] == 33, "EditField has 33 properties");

#undef FIELD

void construct(RuntimeObject* object, RuntimeClass*) {
    EditFieldObject* f = reinterpret_cast<EditFieldObject*>(object);
    f->border = 1;
    f->scroll_bar = 1;
    f->back_colour = 0xFFFFFF;
    f->live_update = 1;
    f->use_focus_ring = 1;
}

// The pane is gone by now (the window closes its panes before releasing
// its controls); what the field itself holds goes with it.
void destroy(RuntimeObject* object, RuntimeClass*) {
    EditFieldObject* f = reinterpret_cast<EditFieldObject*>(object);
    delete f->notifier;
    f->notifier = nullptr;
    edit_field_release_receivers(f);
    RuntimeUnlockString(f->text);
    f->text = nullptr;
    text_style_release(f->style);
}

}  // namespace

EditFieldObject* edit_field_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(B::EditField))) return nullptr;
    return reinterpret_cast<EditFieldObject*>(object);
}

RichEditLook edit_field_look(const EditFieldObject* f) {
    RichEditLook look;
    look.multi_line = f->multi_line != 0;
    look.border = f->border != 0;
    look.scroll_bar = f->scroll_bar != 0;
    return look;
}

RichEditPane* edit_field_pane(const EditFieldObject* field) {
    return field ? static_cast<RichEditPane*>(static_cast<Pane*>(field->control.pane)) : nullptr;
}

// The field's CreatePane: the steps keep this order so that nothing the
// creation does reaches the application as TextChange or SelChange.
void edit_field_create_pane(RuntimeObject* object) {
    EditFieldObject* f = edit_field_of(object);
    if (!f || f->control.pane || !f->control.view) return;
    if (!f->notifier) f->notifier = new EditFieldNotifier(f);
    auto* pane = new RichEditPane(&f->control, f->notifier);
    if (!pane->create_for_control(f->control.rect, nullptr, edit_field_look(f))) {
        delete pane;
        return;
    }
    f->control.pane = pane;
    pane->styled = f->styled != 0;
    pane->focus_ring = f->use_focus_ring != 0;
    pane->set_font(f->style);
    pane->set_read_only(f->read_only != 0);
    pane->set_back_colour(deep_colour(f->back_colour));
    pane->set_text_colour(deep_colour(f->text_colour));
    f->text_change_guard = f->selection_change_guard = 1;
    pane->set_text(f->text);
    pane->notify_changes();
    pane->set_limit(f->limit);
    pane->set_masking(f->password != 0);
    f->text_change_guard = f->selection_change_guard = 0;
    pane->keeps_tabs = f->accept_tabs != 0;
    if (!f->control.enabled) pane->state_request(kRequestDisable);
    if (!f->control.visible) pane->state_request(kRequestHide);
}

void edit_field_describe() {
    RuntimeClass* cls = builtin_class(B::EditField);
    property_table_install(B::EditField, kEditFieldRows);
    edit_field_events_describe();
    edit_field_binding_describe();
    control_class_create_pane(B::EditField, edit_field_create_pane);
    cls->constructor = construct;
    cls->destructor = destroy;
}
