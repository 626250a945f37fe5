#include "panes/balloon_help.h"

#include <windows.h>
#include <commctrl.h>

#include "controls/control_object.h"
#include "panes/pane.h"
#include "startup/process.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"
#include "windows/window_object.h"

namespace {

const char kTooltipProperty[] = "TVBalloons";

// The view's tooltip window, made on first need (null without one).
HWND tooltip_of(NativeView* view, bool make) {
    if (!view || !view->hwnd) return nullptr;
    HWND tip = static_cast<HWND>(GetPropA(view->hwnd, kTooltipProperty));
    if (tip || !make) return tip;
    static bool classes_ready = [] {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)classes_ready;
    // Owned by the view, it goes with it.
    tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, view->hwnd, nullptr,
                          process_instance(), nullptr);
    if (tip) SetPropA(view->hwnd, kTooltipProperty, tip);
    return tip;
}

TOOLINFOA base_tool(NativeView* view) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = view->hwnd;
    tool.uFlags = TTF_SUBCLASS;
    return tool;
}

// An enabled pane with a child window is its own tool. A disabled child
// gets no mouse messages (they go to the view), so then, as for a pane
// without one, the tool is the pane's rectangle of the view.
TOOLINFOA tool_for(NativeView* view, Pane* pane) {
    TOOLINFOA tool = base_tool(view);
    if (pane->native && pane->enabled) {
        tool.uFlags |= TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(pane->native);
    } else {
        tool.uId = reinterpret_cast<UINT_PTR>(pane);
        tool.rect = {pane->rect.left, pane->rect.top, pane->rect.right, pane->rect.bottom};
    }
    return tool;
}

void remove_tool(HWND tip, TOOLINFOA tool) { SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool)); }

void remove_pane_tools(HWND tip, NativeView* view, Pane* pane) {
    TOOLINFOA tool = base_tool(view);
    tool.uId = reinterpret_cast<UINT_PTR>(pane);
    remove_tool(tip, tool);
    if (!pane->native) return;
    tool.uFlags |= TTF_IDISHWND;
    tool.uId = reinterpret_cast<UINT_PTR>(pane->native);
    remove_tool(tip, tool);
}

void add_tool(HWND tip, TOOLINFOA tool, const RuntimeString* text) {
    if (string_length(text) == 0) return;
    tool.lpszText = const_cast<char*>(string_cstr(text));
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The whole client area, after every control's tool.
void window_tool_last(NativeView* view, HWND tip) {
    TOOLINFOA tool = base_tool(view);  // id 0
    GetClientRect(view->hwnd, &tool.rect);
    remove_tool(tip, tool);
    add_tool(tip, tool, view->window ? view->window->balloon_help : nullptr);
}

}  // namespace

void balloon_help_apply(ControlObject* control) {
    Pane* pane = control ? static_cast<Pane*>(control->pane) : nullptr;
    if (!pane || !pane->owner) return;
    const RuntimeString* text = pane->enabled ? control->balloon_help : control->disabled_balloon_help;
    HWND tip = tooltip_of(pane->owner, string_length(text) > 0);
    if (!tip) return;
    TOOLINFOA tool = tool_for(pane->owner, pane);
    TOOLINFOA listed = tool;
    if (string_length(text) > 0 && SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&listed))) {
        // Still the same tool: a new text or rectangle keeps its place.
        tool.lpszText = const_cast<char*>(string_cstr(text));
        SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        if (!(tool.uFlags & TTF_IDISHWND)) SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    remove_pane_tools(tip, pane->owner, pane);
    add_tool(tip, tool, text);
    window_tool_last(pane->owner, tip);
}

void balloon_help_forget(Pane* pane) {
    if (!pane->owner) return;
    if (HWND tip = tooltip_of(pane->owner, false)) remove_pane_tools(tip, pane->owner, pane);
}

void balloon_help_apply_window(NativeView* view) {
    const RuntimeString* text = view && view->window ? view->window->balloon_help : nullptr;
    if (HWND tip = tooltip_of(view, string_length(text) > 0)) window_tool_last(view, tip);
}
