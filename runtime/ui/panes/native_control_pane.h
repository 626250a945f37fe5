// A pane that wraps a standard Win32 control. It keeps itself in the
// control's "TVInstance" property and puts its own window procedure in
// front of the control's, seeing clicks first; what it does not consume
// goes on to the control's own procedure.
#pragma once

#include "panes/pane.h"

class NativeControlPane : public Pane {
public:
    using Pane::Pane;

    virtual void command(int notification_code);
    virtual LRESULT notify(NMHDR* header);
    virtual void horizontal_scroll(int code);
    virtual void vertical_scroll(int code);
    virtual void owner_draw(DRAWITEMSTRUCT* item);
    // Messages of the child window; the default sends mouse downs and moves
    // to the pane, then passes everything on.
    virtual LRESULT subclassed_procedure(UINT message, WPARAM wparam, LPARAM lparam);

    void close() override;

    // The child window's procedure before this pane replaced it.
    LRESULT previous(UINT message, WPARAM wparam, LPARAM lparam) {
        return CallWindowProcA(previous_procedure_, native, message, wparam, lparam);
    }

protected:
    HWND make_native(const PaneCreation& how, HWND parent, const RECT& in_parent) override;

private:
    WNDPROC previous_procedure_ = nullptr;
    void detach(HWND hwnd);
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
};

// The native-control pane of a child window, or null without "TVInstance".
NativeControlPane* native_control_pane_of(HWND hwnd);
