#include "panes/pane_routing.h"

#include "panes/native_control_pane.h"
#include "panes/pane_mouse.h"

namespace {

std::int32_t g_command_modifiers = 0;

}  // namespace

std::int32_t command_modifiers() { return g_command_modifiers; }

bool panes_route_notification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_COMMAND: {
            HWND child = reinterpret_cast<HWND>(lparam);
            if (!child) return false;  // a menu command
            g_command_modifiers = current_modifiers();
            if (NativeControlPane* pane = native_control_pane_of(child)) pane->command(HIWORD(wparam));
            return true;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (NativeControlPane* pane = native_control_pane_of(header->hwndFrom)) result = pane->notify(header);
            return true;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
            if (item->CtlType != ODT_LISTBOX) return false;
            if (NativeControlPane* pane = native_control_pane_of(item->hwndItem)) pane->owner_draw(item);
            result = TRUE;
            return true;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            HWND bar = reinterpret_cast<HWND>(lparam);
            if (!bar) return false;  // the window's own scroll bars
            // Scroll bars and trackbars report with their own handle.
            if (NativeControlPane* pane = native_control_pane_of(bar)) {
                if (message == WM_HSCROLL) pane->horizontal_scroll(LOWORD(wparam));
                else pane->vertical_scroll(LOWORD(wparam));
            }
            return true;
        }
        default: return false;
    }
}
