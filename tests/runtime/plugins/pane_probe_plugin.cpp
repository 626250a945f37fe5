// A plugin whose controls write every call their panes make into a log:
// PaneProbe has the whole behaviour table, takes the focus and tracks no
// press made with Control, ClosingProbe
// closes its window from its mouse-down call, IdleProbe has only redraw and
// idle, QuietProbe has no table entries at all, PanelessProbe has no pane.
#include <windows.h>

#include <cstdio>
#include <string>

#include "plugin_interface.h"

namespace {

std::string g_log;
TAVOResolver g_resolver = nullptr;

template <typename F>
F service(const char* name) {
    return reinterpret_cast<F>(g_resolver(name));
}

void note(const std::string& text) { g_log += text + ";"; }
std::string number(long n) { return std::to_string(n); }

RECT bounds(void* control) {
    std::int16_t tlbr[4] = {};
    service<void (*)(void*, std::int16_t*)>("GetControlBounds")(control, tlbr);
    return RECT{tlbr[1], tlbr[0], tlbr[3], tlbr[2]};
}
HWND hwnd_of(void* control) { return service<HWND (*)(void*)>("GetControlHWND")(control); }

// Fills the bounds (window coordinates) with 3366CC.
void redraw(void* control, void* graphics) {
    HDC dc = service<HDC (*)(void*)>("TAVOGraphicsDC")(graphics);
    const RECT b = bounds(control);
    HBRUSH brush = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
    FillRect(dc, &b, brush);
    DeleteObject(brush);
    note("draw " + number(b.left) + "," + number(b.top) + "," + number(b.right) + "," + number(b.bottom));
}
std::uint8_t down(void*, std::int32_t x, std::int32_t y, std::int32_t modifiers) {
    note("down " + number(x) + "," + number(y) + " m" + number(modifiers));
    return (modifiers & 0x1000) ? 0 : 1;  // with Control: no tracking
}
void drag(void*, std::int32_t x, std::int32_t y) { note("drag " + number(x) + "," + number(y)); }
void up(void*, std::int32_t x, std::int32_t y) { note("up " + number(x) + "," + number(y)); }
void gained(void*) { note("gained"); }
void lost(void*) { note("lost"); }
std::uint8_t key(void*, std::uint8_t character, std::uint8_t code, std::uint16_t modifiers) {
    note("key " + number(character) + " " + number(code) + " m" + number(modifiers));
    return 1;
}
void open(void* control) { note(std::string("open") + (IsWindow(hwnd_of(control)) ? " with its window" : "")); }
void close(void* control) { note(std::string("close") + (IsWindow(hwnd_of(control)) ? " with its window" : "")); }
void idle(void*) { note("idle"); }
void at_once(void*) { note("refresh"); }
void destroyed(void*) { note("destroyed"); }

// Closes the window it lies on; the click is still taken.
std::uint8_t close_window(void* control, std::int32_t, std::int32_t, std::int32_t) {
    void* window = service<void* (*)(void*)>("getControlWindow")(control);
    service<void (*)(void*)>("RuntimeCloseWindow")(window);
    service<void (*)(void*)>("TAVOUnlockObject")(window);
    note("closed the window");
    return 1;
}

const TAVOControlBehaviour kFull = {nullptr, destroyed, redraw, down, drag,    up,     gained,
                                    lost,    key,       open,   close, nullptr, at_once};
const TAVOControlBehaviour kClosing = {nullptr, nullptr, redraw, close_window, drag, up};
const TAVOControlBehaviour kIdle = {nullptr, nullptr, redraw, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, idle};
const TAVOControlBehaviour kQuiet = {};

TAVOControlDefinition g_full = {5, "PaneProbe", 8, TAVO_CONTROL_TAKES_FOCUS, {1, 2}, 40, 30, nullptr, 0, nullptr, 0,
                                nullptr, 0, &kFull};
TAVOControlDefinition g_closing = {5, "ClosingProbe", 4, 0, {3, 4}, 40, 30, nullptr, 0, nullptr, 0, nullptr, 0,
                                   &kClosing};
TAVOControlDefinition g_idle = {5, "IdleProbe", 4, 0, {5, 6}, 40, 30, nullptr, 0, nullptr, 0, nullptr, 0, &kIdle};
TAVOControlDefinition g_quiet = {5, "QuietProbe", 4, 0, {7, 8}, 40, 30, nullptr, 0, nullptr, 0, nullptr, 0, &kQuiet};
TAVOControlDefinition g_paneless = {5, "PanelessProbe", 4, TAVO_CONTROL_HAS_NO_PANE, {9, 10}, 40, 30, nullptr, 0,
                                    nullptr, 0, nullptr, 0, &kFull};

}  // namespace

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolver) {
    g_resolver = resolver;
    service<void (*)(std::int32_t)>("RegisterPluginVersion")(5);
    auto register_control = service<void (*)(TAVOControlDefinition*)>("PluginRegisterControl");
    for (TAVOControlDefinition* d : {&g_full, &g_closing, &g_idle, &g_quiet, &g_paneless}) register_control(d);
}

extern "C" __declspec(dllexport) const char* pane_probe_log() { return g_log.c_str(); }
extern "C" __declspec(dllexport) void pane_probe_clear() { g_log.clear(); }
