// The entry points of EditField. Getters are called as getter(field,
// selector), setters as setter(field, selector, value); nil and objects of
// other classes are ignored (getters give 0, false or nil).
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
// Text and selection.
RuntimeString* editTextGetter(RuntimeObject* field, std::uint32_t);  // a new reference
void editTextSetter(RuntimeObject* field, std::uint32_t, RuntimeString* text);
void editSetString(RuntimeObject* field, RuntimeString* text);
std::int32_t editSelStartGetter(RuntimeObject* field, std::uint32_t);
void editSelStartSetter(RuntimeObject* field, std::uint32_t, std::int32_t start);
std::int32_t editSelLengthGetter(RuntimeObject* field, std::uint32_t);
void editSelLengthSetter(RuntimeObject* field, std::uint32_t, std::int32_t length);
RuntimeString* editSelTextGetter(RuntimeObject* field, std::uint32_t);  // a new reference
void editSelTextSetter(RuntimeObject* field, std::uint32_t, RuntimeString* text);

// Behaviour and look.
bool editReadOnlyGetter(RuntimeObject* field, std::uint32_t);
void editReadOnlySetter(RuntimeObject* field, std::uint32_t, bool on);
bool editPasswordGetter(RuntimeObject* field, std::uint32_t);
void editPasswordSetter(RuntimeObject* field, std::uint32_t, bool on);
std::int32_t editLimitTextGetter(RuntimeObject* field, std::uint32_t);
void editLimitTextSetter(RuntimeObject* field, std::uint32_t, std::int32_t limit);
void editTextColorSetter(RuntimeObject* field, std::uint32_t, std::uint32_t rgb);
void editBackColorSetter(RuntimeObject* field, std::uint32_t, std::uint32_t rgb);
bool editBorderGetter(RuntimeObject* field, std::uint32_t);
void editBorderSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editMultiLineGetter(RuntimeObject* field, std::uint32_t);
void editMultiLineSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editScrollBarGetter(RuntimeObject* field, std::uint32_t);
void editScrollBarSetter(RuntimeObject* field, std::uint32_t, bool on);

// The field's font.
RuntimeString* editTextFontGetter(RuntimeObject* field, std::uint32_t);  // a new reference
void editTextFontSetter(RuntimeObject* field, std::uint32_t, RuntimeString* name);
std::int32_t editTextSizeGetter(RuntimeObject* field, std::uint32_t);
void editTextSizeSetter(RuntimeObject* field, std::uint32_t, std::int32_t points);
bool editBoldGetter(RuntimeObject* field, std::uint32_t);
void editBoldSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editItalicGetter(RuntimeObject* field, std::uint32_t);
void editItalicSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editUnderlineGetter(RuntimeObject* field, std::uint32_t);
void editUnderlineSetter(RuntimeObject* field, std::uint32_t, bool on);

// Character styles of the selection.
bool editSelBoldGetter(RuntimeObject* field, std::uint32_t);
void editSelBoldSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelItalicGetter(RuntimeObject* field, std::uint32_t);
void editSelItalicSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelUnderlineGetter(RuntimeObject* field, std::uint32_t);
void editSelUnderlineSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelPlainGetter(RuntimeObject* field, std::uint32_t);
void editSelPlainSetter(RuntimeObject* field, std::uint32_t, bool on);
void editToggleSelectionBold(RuntimeObject* field);
void editToggleSelectionItalic(RuntimeObject* field);
void editToggleSelectionUnderline(RuntimeObject* field);
bool editSelOutlineGetter(RuntimeObject* field, std::uint32_t);
void editSelOutlineSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelShadowGetter(RuntimeObject* field, std::uint32_t);
void editSelShadowSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelCondenseGetter(RuntimeObject* field, std::uint32_t);
void editSelCondenseSetter(RuntimeObject* field, std::uint32_t, bool on);
bool editSelExtendGetter(RuntimeObject* field, std::uint32_t);
void editSelExtendSetter(RuntimeObject* field, std::uint32_t, bool on);
void editToggleSelectionOutline(RuntimeObject* field);
void editToggleSelectionShadow(RuntimeObject* field);
void editToggleSelectionCondense(RuntimeObject* field);
void editToggleSelectionExtend(RuntimeObject* field);
RuntimeString* editSelTextFontGetter(RuntimeObject* field, std::uint32_t);  // a new reference
void editSelTextFontSetter(RuntimeObject* field, std::uint32_t, RuntimeString* name);
std::int32_t editSelTextSizeGetter(RuntimeObject* field, std::uint32_t);
void editSelTextSizeSetter(RuntimeObject* field, std::uint32_t, std::int32_t points);
std::int32_t editSelTextColorGetter(RuntimeObject* field, std::uint32_t);
void editSelTextColorSetter(RuntimeObject* field, std::uint32_t, std::uint32_t rgb);

// Lines and scrolling; positions from 1, lines from 0.
std::int32_t editScrollPositionGetter(RuntimeObject* field, std::uint32_t);
void editScrollPositionSetter(RuntimeObject* field, std::uint32_t, std::int32_t line);
std::int32_t editLineNumAtCharPos(RuntimeObject* field, std::int32_t position);
std::int32_t editCharPosAtLineNum(RuntimeObject* field, std::int32_t line);

// Style data: one record per character (see edit_style_data.h).
RuntimeString* editTextStyleDataGetter(RuntimeObject* field, std::uint32_t);  // a new reference
void editSetTextAndStyle(RuntimeObject* field, RuntimeString* text, RuntimeString* style_data);

// Styled text files, read and written by a field that has its pane.
void FolderItemOpenStyledEditField(RuntimeObject* item, RuntimeObject* field);
void FolderItemSaveStyledEditField(RuntimeObject* item, RuntimeObject* field);
}

// AcceptTabs: stored, and the pane keeps Tab from then on.
void editAcceptTabsSetter(RuntimeObject* field, std::uint32_t, bool on);
