// The entry points of Listbox. Rows and columns count from 0. A row out of
// range raises OutOfBoundsException where the operation says so; columns
// outside 0-63 reach no cell (getters give nil, false or 0, setters do
// nothing). A bound list takes its rows from its provider and ignores edits.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
// Rows.
void RuntimeListEmpty(RuntimeObject* list);
void RuntimeListAddRow(RuntimeObject* list, RuntimeString* text);
void RuntimeListAddParent(RuntimeObject* list, RuntimeString* text);
void RuntimeListInsertRow(RuntimeObject* list, std::int32_t row, RuntimeString* text);
void RuntimeRemoveRow(RuntimeObject* list, std::int32_t row);
RuntimeString* RuntimeGetRow(RuntimeObject* list, std::int32_t row);  // a new reference
void RuntimeSetRow(RuntimeObject* list, std::int32_t row, RuntimeString* text);
std::int32_t listCountGetter(RuntimeObject* list);
std::int32_t listLastIndexGetter(RuntimeObject* list);
bool listGetExpanded(RuntimeObject* list, std::int32_t row);
void listSetExpanded(RuntimeObject* list, std::int32_t row, bool on);
RuntimeObject* listGetRowPicture(RuntimeObject* list, std::int32_t row);  // a new reference
void listSetRowPicture(RuntimeObject* list, std::int32_t row, RuntimeObject* picture);

// Selection.
std::int32_t listSelectionGetter(RuntimeObject* list, std::uint32_t);
void listSelectionSetter(RuntimeObject* list, std::uint32_t, std::int32_t row);
RuntimeString* listTextGetter(RuntimeObject* list);  // a new reference
void listTextSetter(RuntimeObject* list, std::uint32_t, RuntimeString* text);
std::int32_t listSelCountGetter(RuntimeObject* list);
bool listGetSelected(RuntimeObject* list, std::int32_t row);
void listSetSelected(RuntimeObject* list, std::int32_t row, bool on);

// Cells.
RuntimeString* listGetCell(RuntimeObject* list, std::int32_t row, std::int32_t column);  // a new reference
void listSetCell(RuntimeObject* list, std::int32_t row, std::int32_t column, RuntimeString* text);
bool listCellCheckGetter(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listCellCheckSetter(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on);
std::int32_t listCellTypeGetter(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listCellTypeSetter(RuntimeObject* list, std::int32_t row, std::int32_t column, std::int32_t type);
bool listGetCellBold(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listSetCellBold(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on);
bool listGetCellItalic(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listSetCellItalic(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on);
bool listGetCellUnderline(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listSetCellUnderline(RuntimeObject* list, std::int32_t row, std::int32_t column, bool on);
std::int32_t listCellAlignmentGetter(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listCellAlignmentSetter(RuntimeObject* list, std::int32_t row, std::int32_t column, std::int32_t alignment);
std::int32_t listCellAlignmentOffsetGetter(RuntimeObject* list, std::int32_t row, std::int32_t column);
void listCellAlignmentOffsetSetter(RuntimeObject* list, std::int32_t row, std::int32_t column, std::int32_t offset);

// Columns and headings.
std::int32_t listColumnTypeGetter(RuntimeObject* list, std::int32_t column);
void listColumnTypeSetter(RuntimeObject* list, std::int32_t column, std::int32_t type);
std::int32_t listColumnAlignmentGetter(RuntimeObject* list, std::int32_t column);
void listColumnAlignmentSetter(RuntimeObject* list, std::int32_t column, std::int32_t alignment);
std::int32_t listColumnAlignmentOffsetGetter(RuntimeObject* list, std::int32_t column);
void listColumnAlignmentOffsetSetter(RuntimeObject* list, std::int32_t column, std::int32_t offset);
std::int32_t listColumnCountGetter(RuntimeObject* list, std::uint32_t);
void listColumnCountSetter(RuntimeObject* list, std::uint32_t, std::int32_t count);
RuntimeString* listColumnWidthsGetter(RuntimeObject* list, std::uint32_t);  // a new reference
void listColumnWidthsSetter(RuntimeObject* list, std::uint32_t, RuntimeString* text);
RuntimeString* listGetHeading(RuntimeObject* list, std::int32_t column);  // a new reference
void listSetHeading(RuntimeObject* list, std::int32_t column, RuntimeString* text);
std::int32_t listHeadingIndexGetter(RuntimeObject* list, std::uint32_t);
void listHeadingIndexSetter(RuntimeObject* list, std::uint32_t, std::int32_t column);

// Font, scrolling, dragging.
RuntimeString* listTextFontGetter(RuntimeObject* list, std::uint32_t);  // a new reference
void listTextFontSetter(RuntimeObject* list, std::uint32_t, RuntimeString* name);
std::int32_t listTextSizeGetter(RuntimeObject* list, std::uint32_t);
void listTextSizeSetter(RuntimeObject* list, std::uint32_t, std::int32_t size);
bool listBoldGetter(RuntimeObject* list, std::uint32_t);
void listBoldSetter(RuntimeObject* list, std::uint32_t, bool on);
bool listItalicGetter(RuntimeObject* list, std::uint32_t);
void listItalicSetter(RuntimeObject* list, std::uint32_t, bool on);
bool listUnderlineGetter(RuntimeObject* list, std::uint32_t);
void listUnderlineSetter(RuntimeObject* list, std::uint32_t, bool on);
std::int32_t listScrollPositionGetter(RuntimeObject* list, std::uint32_t);
void listScrollPositionSetter(RuntimeObject* list, std::uint32_t, std::int32_t row);
std::int32_t listScrollPositionXGetter(RuntimeObject* list, std::uint32_t);
void listScrollPositionXSetter(RuntimeObject* list, std::uint32_t, std::int32_t pixels);
void listHScrollBarSetter(RuntimeObject* list, std::uint32_t, bool on);
void listVScrollBarSetter(RuntimeObject* list, std::uint32_t, bool on);
void listEnableDragSetter(RuntimeObject* list, std::uint32_t, bool on);

// Receivers and binding.
void listAddLSNR(RuntimeObject* list, RuntimeObject* receiver);
void listRemoveLSNR(RuntimeObject* list, RuntimeObject* receiver);
void lbaAddActionNotificationReceiver(RuntimeObject* list, RuntimeObject* receiver);
void lbaRemoveActionNotificationReceiver(RuntimeObject* list, RuntimeObject* receiver);
RuntimeObject* listGetBoundPart(RuntimeObject* list, RuntimeString* part);  // a new reference
}
