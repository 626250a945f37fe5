// The in-place editor of a list cell: the single-line rich-edit pane,
// opened over the cell. Enter, Tab and Escape end the edit, and so does the
// editor losing the focus (a click elsewhere); the list stores the text.
#pragma once

#include <cstdint>

#include "controls/edit_field/rich_edit_pane.h"

class ListPane;

class ListCellEditor final : public RichEditListener {
public:
    explicit ListCellEditor(ListPane* pane) : pane_(pane) {}

    void focus_lost() override;
    bool key_pressed(char character, std::uint8_t key_code, std::int32_t modifiers) override;
    // The Edit menu serves the editor as it serves a field.
    void enable_menu_items() override;
    bool menu_command(MenuItemObject* item) override;

    RichEditPane* editor = nullptr;
    std::int32_t row = -1, column = -1;

private:
    ListPane* pane_;
};
