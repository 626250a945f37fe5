#include "controls/edit_field/rich_edit_pane.h"

#include <richedit.h>

#include "controls/edit_field/rich_edit_window.h"
#include "controls/text_style.h"
#include "panes/pane_focus.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"

namespace {

constexpr DWORD kSingleLineStyle = ES_AUTOHSCROLL;
constexpr DWORD kMultiLineStyle = WS_VSCROLL | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE;
constexpr LPARAM kChangeEvents = ENM_CHANGE | ENM_SELCHANGE;
// "No limit" still needs a number: the library's own default is 32,767.
constexpr LPARAM kUnlimited = 0x7FFFFFFE;

bool g_library_tried = false;
HMODULE g_library = nullptr;

// The pane is gone when a handler closed its window meanwhile.
bool still_here(HWND hwnd, const Pane* pane) { return IsWindow(hwnd) && native_control_pane_of(hwnd) == pane; }

}  // namespace

bool rich_edit_library_loaded() {
    if (!g_library_tried) {
        g_library_tried = true;
        g_library = LoadLibraryA("RICHED32.DLL");
    }
    return g_library != nullptr;
}

RichEditPane::RichEditPane(ControlObject* c, RichEditListener* l) : NativeControlPane(c), listener(l) {}

RichEditPane::~RichEditPane() {
    if (font_) DeleteObject(font_);
}

namespace {

PaneCreation creation_for(const ShortRect& r, Pane* in, const RichEditLook& look) {
    DWORD style = look.multi_line ? kMultiLineStyle : kSingleLineStyle;
    if (look.multi_line && !look.scroll_bar) style &= ~WS_VSCROLL;
    return {r, in, "", kRichEditClass, style, look.border ? static_cast<DWORD>(WS_EX_CLIENTEDGE) : 0u};
}

}  // namespace

bool RichEditPane::create_for_control(const ShortRect& r, Pane* in, const RichEditLook& look) {
    if (!rich_edit_library_loaded() || !create(creation_for(r, in, look))) return false;
    SendMessageA(native, EM_EXLIMITTEXT, 0, kUnlimited);
    return true;
}

void RichEditPane::restyle(const RichEditLook& look) {
    HWND old = native;
    if (!old) return;
    HWND parent = GetParent(old);
    RECT area;
    GetWindowRect(old, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    const bool had_focus = GetFocus() == old;
    std::int32_t start, end;
    selection(start, end);
    // The clear text stays in clear_ while masking; otherwise it is read.
    RuntimeString* shown = masking_ ? nullptr : text();
    const bool was_masking = masking_;
    masking_ = false;
    NativeControlPane::close();
    native = make_native(creation_for(rect, container, look), parent, area);
    if (!native) {
        RuntimeUnlockString(shown);
        focus_pane_unavailable(this);
        return;
    }
    apply_settings();
    if (was_masking) {
        masking_ = true;
        show_masked();
    } else {
        rich_edit_set_window_text(native, string_cstr(shown));
    }
    RuntimeUnlockString(shown);
    notify_changes();
    select(start, end);
    if (!visible) ShowWindow(native, SW_HIDE);
    if (!enabled) EnableWindow(native, FALSE);
    if (had_focus) SetFocus(native);
}

void RichEditPane::apply_settings() {
    if (font_) SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(native, EM_SETREADONLY, read_only_, 0);
    SendMessageA(native, EM_EXLIMITTEXT, 0, limit_ > 0 ? limit_ : kUnlimited);
    if (has_back_colour_) set_back_colour(back_colour_);
    if (has_text_colour_) set_text_colour(text_colour_);
}

bool RichEditPane::open_unlisted(HWND parent, const ShortRect& r) {
    rect = r;
    width = static_cast<std::int16_t>(r.right - r.left);
    height = static_cast<std::int16_t>(r.bottom - r.top);
    POINT at = {r.left, r.top};
    MapWindowPoints(owner->hwnd, parent, &at, 1);
    const RECT in_parent = {at.x, at.y, at.x + width, at.y + height};
    const PaneCreation how = {r, nullptr, "", kRichEditClass, kSingleLineStyle, 0};
    native = make_native(how, parent, in_parent);
    if (!native) return false;
    SendMessageA(native, EM_EXLIMITTEXT, 0, kUnlimited);
    notify_changes();
    return true;
}

RuntimeString* RichEditPane::text() const {
    if (masking_) return string_from_bytes(clear_.bytes(), clear_.length());
    return rich_edit_window_text(native);
}

std::uint32_t RichEditPane::text_length() const {
    return masking_ ? clear_.length() : rich_edit_window_length(native);
}

void RichEditPane::set_text(const RuntimeString* t) {
    if (!native) return;
    if (masking_) {
        clear_.assign(string_cstr(t), string_length(t));
        undo_text_.release();
        masked_undo_ = false;
        show_masked();
        return;
    }
    rich_edit_set_window_text(native, string_cstr(t));
}

void RichEditPane::selection(std::int32_t& start, std::int32_t& end) const {
    start = end = 0;
    if (native) rich_edit_window_selection(native, start, end);
}

void RichEditPane::select(std::int32_t start, std::int32_t end) {
    if (!native) return;
    CHARRANGE range = {start, end};
    SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (masking_) remember_selection();
}

bool RichEditPane::has_selection() const {
    std::int32_t start, end;
    selection(start, end);
    return end > start;
}

RuntimeString* RichEditPane::selected_text() const {
    if (!native) return nullptr;
    std::int32_t start, end;
    selection(start, end);
    if (end <= start) return nullptr;
    if (masking_) {
        if (static_cast<std::uint32_t>(end) > clear_.length()) end = static_cast<std::int32_t>(clear_.length());
        return start < end ? string_from_bytes(clear_.bytes() + start, end - start) : nullptr;
    }
    return rich_edit_window_text_range(native, start, end);
}

void RichEditPane::replace_selection(const RuntimeString* t) {
    if (!native) return;
    // Through the masked path too: the replacement goes into the clear text.
    SendMessageA(native, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(string_cstr(t)));
}

void RichEditPane::set_read_only(bool on) {
    read_only_ = on;
    if (native) SendMessageA(native, EM_SETREADONLY, on, 0);
}

void RichEditPane::set_limit(std::int32_t characters) {
    limit_ = characters;
    if (native) SendMessageA(native, EM_EXLIMITTEXT, 0, characters > 0 ? characters : kUnlimited);
}

void RichEditPane::set_text_colour(const DeepColour& colour) {
    has_text_colour_ = true;
    text_colour_ = colour;
    if (!native) return;
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = colour_ref(colour);
    SendMessageA(native, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void RichEditPane::set_back_colour(const DeepColour& colour) {
    has_back_colour_ = true;
    back_colour_ = colour;
    if (native) SendMessageA(native, EM_SETBKGNDCOLOR, 0, colour_ref(colour));
}

void RichEditPane::set_font(const TextStyle& style) {
    HFONT old = font_;
    font_ = text_style_font(style);
    if (native) SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old) DeleteObject(old);
}

void RichEditPane::plain_look() {
    if (!native) return;
    if (font_) SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (has_text_colour_) set_text_colour(text_colour_);
}

// Over the client edge, which a field without a border does not have.
void RichEditPane::draw_focus_ring() {
    if (!focus_ring || GetFocus() != native || !(GetWindowLongA(native, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
    RECT edge;
    GetWindowRect(native, &edge);
    OffsetRect(&edge, -edge.left, -edge.top);
    HDC dc = GetWindowDC(native);
    HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (int i = 0; i < GetSystemMetrics(SM_CXEDGE); ++i) {
        FrameRect(dc, &edge, brush);
        InflateRect(&edge, -1, -1);
    }
    ReleaseDC(native, dc);
}

void RichEditPane::notify_changes() {
    if (native) SendMessageA(native, EM_SETEVENTMASK, 0, kChangeEvents);
}

// The selection goes to the clipboard as plain text, rendered now: the
// library's own copy leaves a data object behind that renders later, from
// a window that may be gone by then.
void RichEditPane::cut() {
    copy();
    clear();
}

void RichEditPane::copy() {
    RuntimeString* text = selected_text();
    if (native && text && rich_edit_open_clipboard(native)) {
        EmptyClipboard();
        if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, string_length(text) + 1)) {
            if (void* bytes = GlobalLock(block)) {
                CopyMemory(bytes, string_cstr(text), string_length(text) + 1);
                GlobalUnlock(block);
                if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
            } else {
                GlobalFree(block);
            }
        }
        CloseClipboard();
    }
    RuntimeUnlockString(text);
}

void RichEditPane::paste() {
    if (native) SendMessageA(native, WM_PASTE, 0, 0);
}

// The window's own cut and copy leave rich text behind that renders later
// (pasting that can bring the library down), and its paste would bring
// styles into a plain field: here a copy is plain text at once and a
// plain field pastes text alone. (A masked field has its own.)
void RichEditPane::clipboard_edit(ClipboardEdit edit) {
    if (edit == ClipboardEdit::Paste) {
        if (styled) {
            previous(WM_PASTE, 0, 0);
        } else if (!read_only_) {
            RuntimeString* pasted = rich_edit_clipboard_text(native);
            if (pasted) SendMessageA(native, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(string_cstr(pasted)));
            RuntimeUnlockString(pasted);
        }
        return;
    }
    copy();
    if (edit == ClipboardEdit::Cut && !read_only_) clear();
}

void RichEditPane::clear() {
    if (native) SendMessageA(native, WM_CLEAR, 0, 0);
}

void RichEditPane::undo() {
    if (native) SendMessageA(native, WM_UNDO, 0, 0);
}

bool RichEditPane::can_undo() const {
    if (masking_) return masked_undo_;
    return native && SendMessageA(native, EM_CANUNDO, 0, 0);
}

bool RichEditPane::accepts_focus() { return native != nullptr; }

bool RichEditPane::key_down(char character, std::uint8_t key_code, std::int32_t modifiers) {
    return listener && listener->key_pressed(character, key_code, modifiers);
}

void RichEditPane::gain_focus() {
    if (native && GetFocus() != native) SetFocus(native);
}

void RichEditPane::enable_menu_items() {
    if (listener) listener->enable_menu_items();
}

bool RichEditPane::menu_command(MenuItemObject* item) { return listener && listener->menu_command(item); }

void RichEditPane::close() {
    focus_pane_unavailable(this);
    NativeControlPane::close();
}

void RichEditPane::command(int code) {
    if (!listener) return;
    switch (code) {
        case EN_CHANGE:
            // Inside one of the window's messages the caret is not final
            // yet: the clear text follows, and the listener hears of the
            // change, once the message is done.
            if (masking_ && depth_ > 0) {
                change_pending_ = true;
                break;
            }
            if (masking_ && !updating_) reconcile_masked();
            if (!fixing_up_) listener->text_changed();
            break;
        case EN_SETFOCUS: {
            HWND hwnd = native;
            focus_set(this);
            if (still_here(hwnd, this) && listener) listener->focus_gained();
            break;
        }
        case EN_KILLFOCUS: listener->focus_lost(); break;
        default: break;
    }
}

LRESULT RichEditPane::notify(NMHDR* header) {
    if (header->code == EN_SELCHANGE && listener && !fixing_up_) listener->selection_changed();
    return 0;
}

LRESULT RichEditPane::subclassed_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND hwnd = native;
    if (message == WM_CHAR && listener) {
        if (listener->character_typed(static_cast<char>(wparam))) return 0;
        if (!still_here(hwnd, this)) return 0;
    }
    if (!masking_) {
        if (const ClipboardEdit edit = rich_edit_clipboard_edit(message, wparam); edit != ClipboardEdit::None) {
            clipboard_edit(edit);
            return 0;
        }
    }
    LRESULT result = 0;
    if (masking_) {
        ++depth_;
        bool done = false;
        result = masked_message(message, wparam, lparam, done);
        if (!done) result = NativeControlPane::subclassed_procedure(message, wparam, lparam);
        if (!still_here(hwnd, this)) return result;
        // Whatever path changed the window's text, the clear text follows.
        // Only a change the window reported is read back: reading the
        // whole text after every message would make a long one crawl.
        if (--depth_ == 0) {
            if (masking_ && !updating_) change_pending_ ? reconcile_masked() : remember_selection();
            if (change_pending_) {
                change_pending_ = false;
                if (listener) listener->text_changed();
                if (!still_here(hwnd, this)) return result;
            }
        }
    } else {
        result = NativeControlPane::subclassed_procedure(message, wparam, lparam);
        if (!still_here(hwnd, this)) return result;
    }
    if (message == WM_KEYDOWN) InvalidateRect(hwnd, nullptr, FALSE);
    if (message == WM_NCPAINT) draw_focus_ring();
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && focus_ring)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return result;
}

// Dismissed editors wait, chained through their unused sibling link, until
// the message that dismissed them is done.
namespace {

Pane* g_dismissed = nullptr;
UINT_PTR g_dismiss_timer = 0;

void CALLBACK free_dismissed(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, g_dismiss_timer);
    g_dismiss_timer = 0;
    while (Pane* editor = g_dismissed) {
        g_dismissed = editor->next;
        editor->close();
        delete editor;
    }
}

}  // namespace

RichEditPane* rich_edit_open_over(Pane* host, const ShortRect& r, const RuntimeString* t, RichEditListener* l) {
    if (!host || !host->owner || !rich_edit_library_loaded()) return nullptr;
    auto* editor = new RichEditPane(host->control, l);
    editor->owner = host->owner;
    editor->container = host->container;
    HWND parent = host->native ? host->native : host->owner->hwnd;
    if (!editor->open_unlisted(parent, r)) {
        delete editor;
        return nullptr;
    }
    editor->set_text(t);
    editor->select(0, 0);
    BringWindowToTop(editor->native);
    focus_set(editor);
    return editor;
}

void rich_edit_dismiss(RichEditPane* editor) {
    if (!editor) return;
    editor->listener = nullptr;
    focus_pane_unavailable(editor);
    if (editor->native) ShowWindow(editor->native, SW_HIDE);
    editor->next = g_dismissed;
    g_dismissed = editor;
    if (!g_dismiss_timer) g_dismiss_timer = SetTimer(nullptr, 0, 0, free_dismissed);
}
