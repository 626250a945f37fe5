// Entry points of panes: focus, redrawing, the native handle, and the
// property accessors that keep a value in both the control and its pane.
#pragma once

#include <cstdint>

struct RuntimeObject;
struct RuntimeString;

extern "C" {
void RuntimeSetFocus(RuntimeObject* control);
// The window itself takes the keyboard; no pane keeps the focus.
void formSetFocus(RuntimeObject* window);
// No pane of the window keeps the focus; the window stays where it is.
void clearFocus(RuntimeObject* window);

void RuntimeControlRefresh(RuntimeObject* control);
// The rectangle is relative to the control's top-left corner.
void RuntimeControlRefreshRect(RuntimeObject* control, std::int32_t x, std::int32_t y, std::int32_t width,
                               std::int32_t height);
void formRefresh(RuntimeObject* window);
void formRefreshRect(RuntimeObject* window, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// The pane's child window, 0 without one.
std::int32_t controlMacControlHandleGetter(RuntimeObject* control, std::uint32_t);

// The packed selector: bits 0-9 the field's offset in the control; bits
// 10-19 and 20-29 its offset in the pane, for the two pane layouts that
// the project's display option chooses between (clear: bits 10-19). A pane
// offset of 0 means the pane keeps no copy. String and object copies in a
// pane hold a reference, which the pane kind releases when it goes.
std::int32_t paneIntGetter(RuntimeObject* control, std::uint32_t selector);
void paneIntSetter(RuntimeObject* control, std::uint32_t selector, std::int32_t value);
std::int32_t paneShortGetter(RuntimeObject* control, std::uint32_t selector);
void paneShortSetter(RuntimeObject* control, std::uint32_t selector, std::int32_t value);
bool paneBoolGetter(RuntimeObject* control, std::uint32_t selector);
void paneBoolSetter(RuntimeObject* control, std::uint32_t selector, bool value);
RuntimeString* paneStringGetter(RuntimeObject* control, std::uint32_t selector);
void paneStringSetter(RuntimeObject* control, std::uint32_t selector, RuntimeString* value);
RuntimeObject* paneObjGetter(RuntimeObject* control, std::uint32_t selector);
void paneObjSetter(RuntimeObject* control, std::uint32_t selector, RuntimeObject* value);

// Store the control's field at `offset`, then redraw its pane.
void intInvalidateSetter(RuntimeObject* control, std::uint32_t offset, std::int32_t value);
void boolInvalidateSetter(RuntimeObject* control, std::uint32_t offset, bool value);
void stringInvalidateSetter(RuntimeObject* control, std::uint32_t offset, RuntimeString* value);
void objInvalidateSetter(RuntimeObject* control, std::uint32_t offset, RuntimeObject* value);
}

// The pane's offset that `selector` gives under the project's display option.
std::uint32_t pane_field_offset(std::uint32_t selector);
