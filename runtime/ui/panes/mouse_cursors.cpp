#include "panes/mouse_cursors.h"

#include "controls/control_object.h"
#include "objects/builtin_classes.h"
#include "panes/pane.h"
#include "startup/process.h"
#include "startup/project_description.h"
#include "windows/native_view.h"

namespace {

RuntimeObject* g_application_cursor = nullptr;  // one reference

RuntimeObject* cursor_object(HCURSOR cursor) {
    if (!cursor) return nullptr;
    RuntimeObject* object = object_new(builtin_class(BuiltinClass::MouseCursor));
    reinterpret_cast<MouseCursorObject*>(object)->cursor = cursor;
    return object;
}

RuntimeObject* system_cursor(LPCSTR which) { return cursor_object(LoadCursorA(nullptr, which)); }

// A project cursor item: the cursor resource of that number.
RuntimeObject* project_cursor(std::uint32_t id) {
    return cursor_object(LoadCursorA(process_instance(), MAKEINTRESOURCEA(id)));
}

HCURSOR handle_of(RuntimeObject* cursor) {
    return cursor ? reinterpret_cast<MouseCursorObject*>(cursor)->cursor : nullptr;
}

}  // namespace

extern "C" {

RuntimeObject* getArrowCursor() { return system_cursor(IDC_ARROW); }
RuntimeObject* getWatchCursor() { return system_cursor(IDC_WAIT); }
RuntimeObject* getIBeamCursor() { return system_cursor(IDC_IBEAM); }

void appMouseCursorSetter(RuntimeObject*, std::uint32_t, RuntimeObject* cursor) {
    RuntimeObject* old = g_application_cursor;
    g_application_cursor = RuntimeLockObject(cursor);
    RuntimeUnlockObject(old);
    // Shown at once, not at the next move.
    if (HCURSOR c = handle_of(cursor)) SetCursor(c);
}

}  // extern "C"

bool mouse_cursor_apply(NativeView* view) {
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(view->hwnd, &at);
    HCURSOR chosen = nullptr;
    for (Pane* p = last_pane(view); p; p = p->previous) {
        if (!p->live() || !p->contains(at.x, at.y)) continue;
        if (p->control) chosen = handle_of(p->control->mouse_cursor);
        break;  // the control in front decides, or leaves it to the window
    }
    if (!chosen) chosen = handle_of(view->window->mouse_cursor);
    if (!chosen) chosen = handle_of(g_application_cursor);
    if (!chosen) return false;
    SetCursor(chosen);
    return true;
}

void mouse_cursors_install() { project_item_factories().cursor = project_cursor; }
