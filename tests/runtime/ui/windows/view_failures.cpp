// A host program for the reports a view makes of its caller's errors, run
// under dialog_driver, which answers them:
//   view_failures style-10      a view style past the table
//   view_failures other-thread  a window made on a thread of its own
// Either way the window is still made, without a style of its own for
// style 10. Exits 0 when it was, 3 otherwise.
#include <cstring>

#include "descriptions/window_description.h"
#include "window_test_support.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

const std::vector<std::uint8_t>& description() {
    static const std::vector<std::uint8_t> made = window_description(0, {{"Title", "Elsewhere"}, {"Width", "120"}});
    return made;
}

DWORD WINAPI make_window_here(LPVOID made) {
    RuntimeObject* window = RuntimeCreateWindow(description().data(), nullptr);
    *static_cast<bool*>(made) = window && as_window(window)->view;
    // Its windows go with this thread: closed here, while it still runs.
    RuntimeCloseWindow(window);
    RuntimeUnlockObject(window);
    return 0;
}

bool made_on_another_thread() {
    bool made = false;
    HANDLE thread = CreateThread(nullptr, 0, make_window_here, &made, 0, nullptr);
    if (!thread) return false;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return made;
}

bool made_with_style_10() {
    RuntimeObject* object = RuntimeNewObject(0);
    WindowObject* window = as_window(object);
    window->rect = {50, 10, 110, 130};
    window->close_box = 0;
    NativeView* view = view_create(window, 10, nullptr);
    // The system gives every top-level window without WS_POPUP a caption.
    const LONG own = WS_POPUP | WS_THICKFRAME | WS_SYSMENU;
    const LONG own_ex = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_TOPMOST;
    const bool plain = view && !view->modal && (GetWindowLongA(view->hwnd, GWL_STYLE) & own) == 0 &&
                       (GetWindowLongA(view->hwnd, GWL_EXSTYLE) & own_ex) == 0;
    if (view) view_discard(view);
    RuntimeUnlockObject(object);
    return plain;
}

}  // namespace

int main(int argc, char** argv) {
    window_layer_ready();
    RuntimeClass* classes[] = {builtin_class(BuiltinClass::Window)};
    class_table_install(classes, 1);
    const bool elsewhere = argc > 1 && std::strcmp(argv[1], "other-thread") == 0;
    return (elsewhere ? made_on_another_thread() : made_with_style_10()) ? 0 : 3;
}
