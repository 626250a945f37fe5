// The rich-edit pane: a "RichEdit" window of the system's rich-edit library,
// single-line or multi-line, with masking done here (the window shows one
// "*" per character of code 32 and up while the pane holds the clear text).
// EditField's pane is one; so is the list's in-place cell editor, which
// opens one over a cell with rich_edit_open_over and ends it with
// rich_edit_dismiss.
#pragma once

#include <cstdint>

#include "controls/edit_field/clear_text.h"
#include "controls/edit_field/rich_edit_window.h"
#include "panes/native_control_pane.h"

struct RuntimeString;
struct TextStyle;

// What the pane reports. Calls come from inside the window's own message
// handling: a listener may dismiss an editor from any of them.
class RichEditListener {
public:
    virtual void text_changed() {}
    virtual void selection_changed() {}
    virtual void focus_gained() {}
    virtual void focus_lost() {}
    // A typed character (WM_CHAR), before the window sees it; true consumes it.
    virtual bool character_typed(char) { return false; }
    // A key the runtime's keyboard step hands the focus pane (Enter, Tab,
    // Escape, arrows ...); true consumes it.
    virtual bool key_pressed(char, std::uint8_t, std::int32_t) { return false; }
    // The menu passes while the pane has the focus (see Pane).
    virtual void enable_menu_items() {}
    virtual bool menu_command(MenuItemObject*) { return false; }

protected:
    ~RichEditListener() = default;
};

struct DeepColour {
    std::uint16_t red, green, blue;
};
inline DeepColour deep_colour(std::uint32_t rgb) {
    return {static_cast<std::uint16_t>(((rgb >> 16) & 0xFF) * 257), static_cast<std::uint16_t>(((rgb >> 8) & 0xFF) * 257),
            static_cast<std::uint16_t>((rgb & 0xFF) * 257)};
}
inline COLORREF colour_ref(const DeepColour& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); }

struct RichEditLook {
    bool multi_line = false;
    bool border = false;
    bool scroll_bar = true;  // multi-line only
};

class RichEditPane : public NativeControlPane {
public:
    RichEditPane(ControlObject* control, RichEditListener* listener);
    ~RichEditPane() override;

    // The window of a control, listed among its view's panes; false when
    // the library or the window could not be had.
    bool create_for_control(const ShortRect& rect, Pane* container, const RichEditLook& look);

    // A new window of another look in place of the old one, keeping text,
    // selection, masking, font, colours, limit and read-only state.
    void restyle(const RichEditLook& look);

    // The clear text (a new reference; nil when empty) and setting it; the
    // window shows it masked while masking is on.
    RuntimeString* text() const;
    void set_text(const RuntimeString* text);
    std::uint32_t text_length() const;
    // Selection as offsets from 0, end exclusive.
    void selection(std::int32_t& start, std::int32_t& end) const;
    void select(std::int32_t start, std::int32_t end);
    RuntimeString* selected_text() const;  // a new reference
    void replace_selection(const RuntimeString* text);

    void set_masking(bool on);
    bool masking() const { return masking_; }
    void set_read_only(bool on);
    bool read_only() const { return read_only_; }
    void set_limit(std::int32_t characters);  // 0: none
    // Colours arrive as 16 bits per channel (0xRRGGBB channels times 257).
    void set_text_colour(const DeepColour& colour);
    void set_back_colour(const DeepColour& colour);
    // The pane's own font for the style (replacing the one before); deleted
    // with the pane.
    void set_font(const TextStyle& style);
    // Change and selection-change notifications on (EM_SETEVENTMASK).
    void notify_changes();

    // Cut, copy, paste and clear as the edit menu does them (masking kept).
    void cut();
    void copy();
    void paste();
    void clear();
    void undo();
    bool can_undo() const;
    bool has_selection() const;

    bool accepts_focus() override;
    bool key_down(char character, std::uint8_t key_code, std::int32_t modifiers) override;
    void gain_focus() override;
    void enable_menu_items() override;
    bool menu_command(MenuItemObject* item) override;
    void close() override;
    void command(int notification_code) override;
    LRESULT notify(NMHDR* header) override;
    LRESULT subclassed_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;

    // The field's font and text colour over the whole text again, as a
    // plain field shows it whatever came in.
    void plain_look();

    RichEditListener* listener;
    bool keeps_tabs = false;  // Tab stays with the window (AcceptTabs)
    bool styled = false;      // characters may have styles of their own
    bool focus_ring = false;  // a highlighted edge while it has the focus
    bool takes_tab() override { return keeps_tabs; }

private:
    friend RichEditPane* rich_edit_open_over(Pane*, const ShortRect&, const RuntimeString*, RichEditListener*);
    bool open_unlisted(HWND parent, const ShortRect& rect);
    // Masking: messages that change the text in ways the window cannot be
    // left to (typed characters, paste, undo, setting the text); `done`
    // tells that the message was answered here.
    LRESULT masked_message(UINT message, WPARAM wparam, LPARAM lparam, bool& done);
    // Brings the clear text in step with whatever the window did to its
    // text since the selection was last seen.
    void reconcile_masked();
    void reconcile_window();
    void show_masked();
    void remember_selection();
    void undo_masked();
    void paste_masked();

    void apply_settings();
    void draw_focus_ring();
    void clipboard_edit(ClipboardEdit edit);

    HFONT font_ = nullptr;
    std::int32_t limit_ = 0;
    bool has_text_colour_ = false, has_back_colour_ = false;
    DeepColour text_colour_ = {0, 0, 0}, back_colour_ = {0, 0, 0};
    bool masking_ = false;
    bool read_only_ = false;
    bool updating_ = false;   // the pane itself sets the window's text: no reconciling
    bool fixing_up_ = false;  // masking a clear insertion: not a change the listener hears of
    std::uint32_t depth_ = 0;  // nesting of the window's messages
    bool change_pending_ = false;  // a change to report once the message is done
    const char* pending_ = nullptr;  // clear bytes of an insertion the window shows masked
    std::uint32_t pending_length_ = 0;
    ClearText clear_, undo_text_;
    bool masked_undo_ = false;  // undo_text_ holds a text to go back to
    std::int32_t known_start_ = 0, known_end_ = 0;
};

// Loads the rich-edit library once per process; false when it is missing.
bool rich_edit_library_loaded();

// An in-place editor over `rect` (coordinates of the host's window view)
// holding `text`: single-line, unstyled, no border, a child of the host's
// own window (or of the view's window when the host has none). It is not
// listed among the view's panes; it gets the focus and the host's font is
// set with set_font. Null when the window could not be made.
RichEditPane* rich_edit_open_over(Pane* host, const ShortRect& rect, const RuntimeString* text,
                                  RichEditListener* listener);
// Ends an editor: hidden and without the focus at once, its window
// destroyed and the pane freed when the current message is done. Safe
// from inside the listener's calls; read text() before calling it.
void rich_edit_dismiss(RichEditPane* editor);
