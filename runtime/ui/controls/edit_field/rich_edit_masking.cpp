// Masking: while it is on the window shows one "*" per character of code 32
// and up and the pane holds the clear text. Every way the window's text can
// change is followed: typed characters and pastes go in here and reach the
// window masked; deletions, cuts and other edits the window makes itself are
// read back from it against the selection it had before (reconcile_masked);
// undo restores the clear text it saved.
#include <richedit.h>

#include "controls/edit_field/rich_edit_pane.h"
#include "controls/edit_field/rich_edit_window.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"

namespace {

// The window's current text in a buffer of the caller's.
void read_window(HWND window, ClearText& into) {
    RuntimeString* text = rich_edit_window_text(window);
    into.assign(string_cstr(text), string_length(text));
    RuntimeUnlockString(text);
}

// Bytes [from, from + n) of `shown` equal the masked form of `clear` there.
bool shows(const ClearText& shown, std::uint32_t from, const char* clear, std::uint32_t n) {
    if (from + n > shown.length()) return false;
    for (std::uint32_t i = 0; i < n; ++i)
        if (shown.bytes()[from + i] != masked_character_of(clear[i])) return false;
    return true;
}

// A masked copy of `n` clear bytes, zero-terminated, in runtime memory.
char* masked_copy(const char* clear, std::uint32_t n) {
    char* out = static_cast<char*>(runtime_alloc(n + 1));
    for (std::uint32_t i = 0; i < n; ++i) out[i] = masked_character_of(clear[i]);
    return out;
}

bool key_is_down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// What the edit made of the text before it: bytes [start, end) of the old
// text became `inserted` bytes at start.
struct Edit {
    std::uint32_t start, end, inserted;
};

// The edit that turns `old_length` masked bytes into `shown`, given the
// selection [a, b) before it and the caret after it; false when the window
// did something else than replace one stretch.
bool edit_at_selection(const ClearText& old_clear, const ClearText& shown, std::uint32_t a, std::uint32_t b,
                       std::uint32_t caret, Edit& e) {
    const std::uint32_t n = old_clear.length(), now = shown.length();
    if (a > n) a = n;
    if (b > n) b = n;
    if (a < b) {
        if (now + (b - a) < n) return false;
        e = {a, b, now + (b - a) - n};
    } else if (now < n) {
        const std::uint32_t removed = n - now;
        const std::uint32_t start = caret < a ? caret : a;  // backwards (Backspace) or forwards (Delete)
        if (start + removed > n) return false;
        e = {start, start + removed, 0};
    } else {
        e = {a, a, now - n};
    }
    return shows(shown, 0, old_clear.bytes(), e.start) &&
           shows(shown, e.start + e.inserted, old_clear.bytes() + e.end, n - e.end);
}

// The same found by the longest unchanged beginning and end.
Edit edit_by_difference(const ClearText& old_clear, const ClearText& shown) {
    const std::uint32_t n = old_clear.length(), now = shown.length();
    std::uint32_t head = 0;
    while (head < n && head < now && shows(shown, head, old_clear.bytes() + head, 1)) ++head;
    std::uint32_t tail = 0;
    while (tail < n - head && tail < now - head && shows(shown, now - 1 - tail, old_clear.bytes() + n - 1 - tail, 1))
        ++tail;
    return {head, n - tail, now - tail - head};
}

}  // namespace

void RichEditPane::remember_selection() {
    if (native) rich_edit_window_selection(native, known_start_, known_end_);
}

void RichEditPane::show_masked() {
    char* masked = masked_copy(clear_.bytes(), clear_.length());
    const bool was = updating_;
    updating_ = true;
    rich_edit_set_window_text(native, masked);
    updating_ = was;
    runtime_free(masked, clear_.length() + 1);
    remember_selection();
}

void RichEditPane::set_masking(bool on) {
    if (on == masking_ || !native) {
        masking_ = on;
        return;
    }
    std::int32_t start, end;
    selection(start, end);
    if (on) {
        read_window(native, clear_);
        masking_ = true;
        show_masked();
    } else {
        masking_ = false;
        const bool was = updating_;
        updating_ = true;
        RuntimeString* clear = string_from_bytes(clear_.bytes(), clear_.length());
        rich_edit_set_window_text(native, string_cstr(clear));
        RuntimeUnlockString(clear);
        updating_ = was;
        clear_.release();
        undo_text_.release();
        masked_undo_ = false;
    }
    select(start, end);
}

void RichEditPane::reconcile_masked() {
    if (!native) return;
    // The window's own answers to the reads below are not edits to follow.
    ++depth_;
    reconcile_window();
    --depth_;
}

void RichEditPane::reconcile_window() {
    ClearText shown;
    read_window(native, shown);
    const std::uint32_t n = clear_.length();
    if (shown.length() == n && shows(shown, 0, clear_.bytes(), n)) {
        pending_ = nullptr;
        remember_selection();
        return;
    }
    std::int32_t caret_start, caret_end;
    rich_edit_window_selection(native, caret_start, caret_end);
    Edit e;
    if (!edit_at_selection(clear_, shown, static_cast<std::uint32_t>(known_start_),
                           static_cast<std::uint32_t>(known_end_), static_cast<std::uint32_t>(caret_start), e))
        e = edit_by_difference(clear_, shown);
    // Inserted bytes are the pending clear ones when the window shows them
    // masked, else what the window shows (text that came in clear).
    const char* inserted = shown.bytes() + e.start;
    if (pending_ && pending_length_ >= e.inserted) inserted = pending_;
    pending_ = nullptr;
    ClearText before;
    before.assign(clear_.bytes(), n);
    clear_.replace(e.start, e.end, inserted, e.inserted);
    undo_text_.swap(before);
    masked_undo_ = true;
    if (!shows(shown, e.start, clear_.bytes() + e.start, e.inserted)) {
        // Clear text on show: mask the stretch, keeping the caret.
        char* masked = masked_copy(clear_.bytes() + e.start, e.inserted);
        CHARRANGE stretch = {static_cast<LONG>(e.start), static_cast<LONG>(e.start + e.inserted)};
        updating_ = fixing_up_ = true;
        SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&stretch));
        SendMessageA(native, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(masked));
        CHARRANGE caret = {caret_start, caret_end};
        SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        updating_ = fixing_up_ = false;
        runtime_free(masked, e.inserted + 1);
    }
    remember_selection();
}

void RichEditPane::undo_masked() {
    if (read_only_ || !masked_undo_) return;
    clear_.swap(undo_text_);
    show_masked();
    const std::int32_t end = static_cast<std::int32_t>(clear_.length());
    select(end, end);
    // The window's own undo would bring back asterisks: it has nothing to undo.
    SendMessageA(native, EM_EMPTYUNDOBUFFER, 0, 0);
}

void RichEditPane::paste_masked() {
    if (read_only_) return;
    RuntimeString* text = rich_edit_clipboard_text(native);
    if (!text) return;
    char* masked = masked_copy(string_cstr(text), string_length(text));
    pending_ = string_cstr(text);
    pending_length_ = string_length(text);
    previous(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(masked));
    reconcile_masked();
    runtime_free(masked, string_length(text) + 1);
    RuntimeUnlockString(text);
}

LRESULT RichEditPane::masked_message(UINT message, WPARAM wparam, LPARAM lparam, bool& done) {
    done = true;
    // Neither the clear text nor asterisks reach the clipboard: a cut only
    // removes the selection.
    switch (rich_edit_clipboard_edit(message, wparam)) {
        case ClipboardEdit::Paste: paste_masked(); return 0;
        case ClipboardEdit::Copy: return 0;
        case ClipboardEdit::Cut:
            if (!read_only_) previous(WM_CLEAR, 0, 0);
            return 0;
        default: break;
    }
    switch (message) {
        case WM_CHAR: {
            const char typed = static_cast<char>(wparam);
            if (static_cast<unsigned char>(typed) < 32 || read_only_) break;
            pending_ = &typed;
            pending_length_ = 1;
            const LRESULT r = previous(WM_CHAR, static_cast<unsigned char>(kPasswordCharacter), lparam);
            if (pending_) reconcile_masked();
            return r;
        }
        case WM_UNDO:
        case EM_UNDO: undo_masked(); return TRUE;
        case WM_SETTEXT:
            if (updating_) break;
            clear_.assign(reinterpret_cast<const char*>(lparam), lparam ? lstrlenA(reinterpret_cast<const char*>(lparam)) : 0);
            show_masked();
            return TRUE;
        case WM_KEYDOWN: {
            // The window undoes by key without that message.
            const bool control = key_is_down(VK_CONTROL);
            if (control && (wparam == 'Z' || wparam == 'Y')) {
                if (wparam == 'Z') undo_masked();
                return 0;
            }
            break;
        }
        case WM_SYSKEYDOWN:
            if (wparam == VK_BACK) {  // Alt+Backspace: undo
                undo_masked();
                return 0;
            }
            break;
        default: break;
    }
    done = false;
    return 0;
}
