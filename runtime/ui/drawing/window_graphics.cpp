// Graphics over a window: drawing straight into its client area, and a
// window drawn into a Graphics.
#include "graphics.h"
#include "graphics_entry_points.h"
#include "graphics_object.h"
#include "windows/window_accessors.h"

extern "C" {

RuntimeObject* windowGraphicsGetter(RuntimeObject* window, std::int32_t) {
    return window ? graphics_for_window(windowHWNDGetter(window, 0)) : nullptr;
}

// The window paints itself into a bitmap through WM_PRINT (its background,
// its client area through WM_PRINTCLIENT, its child windows), so that parts
// covered by other windows come out too; the bitmap goes to (x, y).
void formDrawInto(RuntimeObject* window, RuntimeObject* g, std::int32_t x, std::int32_t y) {
    GraphicsState* state = drawing_state(g);
    HWND hwnd = window ? windowHWNDGetter(window, 0) : nullptr;
    if (!state || !hwnd) return;
    RECT client = {};
    GetClientRect(hwnd, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    HDC memory = CreateCompatibleDC(state->dc);
    HBITMAP bitmap = CreateCompatibleBitmap(state->dc, client.right, client.bottom);
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        SendMessageA(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
        BitBlt(state->dc, x, y, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
}

}  // extern "C"
