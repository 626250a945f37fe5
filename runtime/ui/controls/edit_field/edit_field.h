// EditField: a text-entry control over a rich-edit pane. Until the pane
// exists its setters only store; from then on the pane holds the text and
// the selection.
#pragma once

#include <cstdint>

#include "controls/control_object.h"
#include "controls/text_style.h"
#include "panes/receivers.h"

class RichEditPane;
struct RichEditLook;
struct EditFieldNotifier;

struct EditFieldObject {
    ControlObject control;
    TextStyle style;
    RuntimeString* text;  // one reference; the text before the pane exists
    std::uint8_t border, multi_line, scroll_bar, read_only;
    std::int32_t limit;  // characters; 0 none
    std::uint32_t back_colour, text_colour;  // 0xRRGGBB
    std::uint8_t text_change_guard, selection_change_guard, password, styled;
    std::uint8_t accept_tabs, live_update, use_focus_ring, unused;
    EditFieldNotifier* notifier;
    ReceiverList data_receivers;  // told after TextChange
};
static_assert(sizeof(EditFieldObject) == 136, "the size of the built-in class");

// The field, or null for nil and objects of other classes.
EditFieldObject* edit_field_of(RuntimeObject* object);
// Its pane, or null before CreatePane.
RichEditPane* edit_field_pane(const EditFieldObject* field);

// Single- or multi-line, border, scroll bar.
RichEditLook edit_field_look(const EditFieldObject* field);

// The class's property table, events, constructor, destructor, CreatePane.
void edit_field_describe();
