// The pane: the native half of a control. It owns the control's child
// window (if any), draws, takes mouse and keys and reports to its control.
// The operations keep a fixed order; the unnamed slots are there for the
// pane kinds of the controls and of plugin panes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "windows/window_object.h"

struct ControlObject;
struct MenuItemObject;
struct NativeView;
struct RuntimeObject;

// Modifier bits of mouse and key operations.
constexpr std::int32_t kModifierControl = 0x1000, kModifierShift = 0x200, kModifierAlt = 0x800,
                       kModifierWindows = 0x100;

// State requests from the control side.
enum PaneRequest : std::int32_t {
    kRequestEnable = 5,
    kRequestDisable = 6,
    kRequestShow = 7,
    kRequestHide = 8,
    kRequestWindowActive = 1000,
    kRequestWindowInactive = 1001,
};

// What a pane is made from.
struct PaneCreation {
    ShortRect rect;           // window coordinates
    class Pane* container;    // the tab panel or group it belongs to, or null
    const char* caption;
    const char* class_name;   // null or empty: no child window
    DWORD style, ex_style;
};

class Pane {
public:
    explicit Pane(ControlObject* control);
    virtual ~Pane();  // destroy

    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    virtual void internal_1() {}
    virtual void internal_2() {}
    virtual void internal_3() {}
    virtual void draw(HDC dc);
    virtual void internal_4() {}
    virtual bool mouse_down(int x, int y, std::int32_t modifiers);
    virtual bool right_mouse_down(int x, int y, std::int32_t modifiers);
    virtual void mouse_drag(int x, int y);
    virtual void mouse_move(int x, int y);
    virtual void mouse_up(int x, int y);
    virtual void internal_5() {}
    virtual void internal_6() {}
    virtual void internal_7() {}
    virtual void internal_8() {}
    virtual void window_activated();
    virtual void window_deactivated();
    virtual void internal_9() {}
    virtual void internal_10() {}
    virtual void drop(RuntimeObject* drag_item);
    virtual void internal_11() {}
    virtual void internal_12() {}
    virtual bool takes_enter();
    virtual void lose_focus();
    virtual void gain_focus();
    virtual bool accepts_focus();
    virtual void set_rect(const ShortRect& rect, bool redraw);
    virtual bool key_down(char character, std::uint8_t key_code, std::int32_t modifiers);
    // Tab stays with the pane (a rich-text field accepting tabs).
    virtual bool takes_tab();
    virtual void state_request(std::int32_t request);
    // Called on every main-loop pass while the pane has the focus.
    virtual void idle();
    // The menu passes ask the focus pane: which items it serves (it sets
    // their enabled bytes), and whether it performs the chosen one.
    virtual void enable_menu_items();
    virtual bool menu_command(MenuItemObject* item);
    virtual void internal_15() {}
    virtual void refresh();
    virtual void internal_16() {}
    virtual void internal_17() {}
    virtual void internal_18() {}
    virtual void close();
    virtual void internal_19() {}
    virtual void internal_20() {}
    virtual void set_active(bool on, bool redraw);
    virtual void set_visible(bool on);
    virtual void set_enabled(bool on);
    virtual void internal_21() {}
    virtual void visibility_changed(bool visible, bool enabled);
    virtual bool is_default_button();
    virtual bool is_cancel_button();
    virtual void push();
    virtual void internal_22() {}
    virtual void internal_23() {}
    virtual void internal_24() {}
    virtual void internal_25() {}
    virtual void internal_26() {}
    virtual void internal_27() {}
    virtual void internal_28() {}
    virtual void internal_29() {}
    virtual void internal_30() {}
    virtual void internal_31() {}
    virtual void internal_32() {}
    virtual void internal_33() {}

    // Makes the child window (when the creation names a class) and appends
    // the pane to its view; false when the child window could not be made.
    bool create(const PaneCreation& how);

    // True when the point (window coordinates) lies in the pane.
    bool contains(int x, int y) const {
        return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
    }
    bool live() const { return visible && enabled; }

    ShortRect rect;  // window coordinates
    std::int16_t width = 0, height = 0;
    NativeView* owner = nullptr;
    Pane* container = nullptr;
    Pane* next = nullptr;
    Pane* previous = nullptr;
    std::uint8_t visible = 1, enabled = 1, active = 1;
    std::uint8_t active_before_deactivation = 0, deactivated = 0;
    std::uint8_t auto_deactivate = 1, mouse_inside = 0;
    HWND native = nullptr;
    ControlObject* control;  // no reference: the window holds its controls
    std::int32_t tab_panel_index = 0;
    RuntimeObject* drop_link = nullptr;  // the control that gets DropObject

protected:
    // The child window for a class name; null when it could not be made.
    virtual HWND make_native(const PaneCreation& how, HWND parent, const RECT& in_parent);
};

// The view's panes, in creation order (later ones lie in front).
inline Pane* first_pane(const NativeView* view);
Pane* last_pane(const NativeView* view);
// The pane stored in a "TV_Pane" window or a subclassed control, or null.
Pane* pane_of_native(HWND hwnd);
// The view whose window is `hwnd` or one of its ancestors, or null.
NativeView* view_containing(HWND hwnd);
// Closes and frees every pane of the view (focus and capture let go first).
void panes_close_all(NativeView* view);
// Sends `request` to every pane of the view.
void panes_request_all(NativeView* view, std::int32_t request);

#include "windows/native_view.h"

inline Pane* first_pane(const NativeView* view) { return static_cast<Pane*>(view->first_pane); }
