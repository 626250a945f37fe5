#include "plugin_pane.h"

#include "controls/control_object.h"
#include "drawing/colour.h"
#include "drawing/graphics.h"
#include "objects/classes.h"
#include "objects/objects.h"
#include "panes/control_panes.h"
#include "plugin_classes.h"
#include "windows/native_view.h"

namespace {

// How often a pane with an idle entry is called, in ticks of 16 ms.
constexpr std::uint32_t kIdlePeriod = 4;

const TAVOControlDefinition* definition_of(RuntimeObject* control) {
    const PluginClass* entry = nullptr;
    for (const RuntimeClass* cls = control->cls; cls && !entry; cls = cls->superclass) entry = plugin_class_entry(cls);
    return entry ? entry->control : nullptr;
}

// The callback holds the control; a handler it runs may close the window,
// which frees the pane: then the control no longer names it.
RuntimeObject* hold(ControlObject* control) { return RuntimeLockObject(&control->header); }
bool still_mine(const ControlObject* control, const Pane* pane) { return control->pane == pane; }

}  // namespace

PluginPane::PluginPane(ControlObject* c, const TAVOControlDefinition* definition)
    : Pane(c), definition_(definition), behaviour_(definition->behaviour) {}

void PluginPane::draw(HDC dc) {
    POINT origin;
    SetViewportOrgEx(dc, -rect.left, -rect.top, &origin);
    // Panes that do not cover their bounds show what lies behind them.
    if (!(definition_->flags & TAVO_CONTROL_REPORTS_BOUNDS)) {
        const std::uint32_t rgb = plugin_control_background(control);
        HBRUSH brush = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        RECT bounds = {rect.left, rect.top, rect.right, rect.bottom};
        FillRect(dc, &bounds, brush);
        DeleteObject(brush);
    }
    void (*redraw)(void*, void*) = behaviour_ ? behaviour_->redraw : nullptr;
    if (redraw) {
        RuntimeObject* graphics = graphics_for_dc(dc, width, height);
        ControlObject* c = control;
        RuntimeObject* held = hold(c);
        redraw(held, graphics);
        graphics_detach(graphics);
        RuntimeUnlockObject(graphics);
        const bool mine = still_mine(c, this);
        RuntimeUnlockObject(held);
        if (!mine) return;
    }
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

// A press in a pane with a mouse-down entry is the control's, tracked or
// not: the window behind it never sees it.
bool PluginPane::mouse_down(int x, int y, std::int32_t modifiers) {
    auto down = behaviour_ ? behaviour_->mouse_down : nullptr;
    tracking_ = false;
    if (!down || closed_) return false;
    ControlObject* c = control;
    RuntimeObject* held = hold(c);
    const bool tracked = down(held, x, y, modifiers) != 0;
    const bool mine = still_mine(c, this);
    RuntimeUnlockObject(held);
    if (mine) tracking_ = tracked && !closed_;
    return true;
}

void PluginPane::mouse_drag(int x, int y) {
    auto drag = behaviour_ ? behaviour_->mouse_drag : nullptr;
    if (!drag || !tracking_ || closed_) return;
    RuntimeObject* held = hold(control);
    drag(held, x, y);
    RuntimeUnlockObject(held);
}

void PluginPane::mouse_up(int x, int y) {
    auto up = behaviour_ ? behaviour_->mouse_up : nullptr;
    const bool tracked = tracking_;
    tracking_ = false;
    if (!up || !tracked || closed_) return;
    RuntimeObject* held = hold(control);
    up(held, x, y);
    RuntimeUnlockObject(held);
}

void PluginPane::lose_focus() {
    auto lost = behaviour_ ? behaviour_->lost_focus : nullptr;
    if (!lost || closed_) return;
    RuntimeObject* held = hold(control);
    lost(held);
    RuntimeUnlockObject(held);
}

void PluginPane::gain_focus() {
    Pane::gain_focus();
    auto gained = behaviour_ ? behaviour_->gained_focus : nullptr;
    if (!gained || closed_) return;
    RuntimeObject* held = hold(control);
    gained(held);
    RuntimeUnlockObject(held);
}

bool PluginPane::accepts_focus() { return live() && (definition_->flags & TAVO_CONTROL_TAKES_FOCUS) && !closed_; }

bool PluginPane::key_down(char character, std::uint8_t key_code, std::int32_t modifiers) {
    auto key = behaviour_ ? behaviour_->key_down : nullptr;
    if (!key || closed_) return false;
    ControlObject* c = control;
    RuntimeObject* held = hold(c);
    const bool handled = key(held, static_cast<std::uint8_t>(character), key_code,
                             static_cast<std::uint16_t>(modifiers)) != 0;
    const bool mine = still_mine(c, this);
    RuntimeUnlockObject(held);
    return mine ? handled : true;
}

// The whole pane is painted again; a plugin that draws at once on a
// refresh gets its entry 48 too (hidden panes only lose their pixels).
void PluginPane::refresh() {
    Pane::refresh();
    auto at_once = behaviour_ ? behaviour_->refresh : nullptr;
    if (!at_once || closed_ || !live() || !native) return;
    RuntimeObject* held = hold(control);
    at_once(held);
    RuntimeUnlockObject(held);
}

void pane_invalidate(Pane* pane, const RECT* area) {
    if (!area) {
        pane->Pane::refresh();
        return;
    }
    RECT r = *area;
    if (pane->native) {
        POINT at = {0, 0};
        MapWindowPoints(pane->native, pane->owner->hwnd, &at, 1);
        OffsetRect(&r, -at.x, -at.y);
        InvalidateRect(pane->native, &r, TRUE);
    } else if (pane->owner) {
        InvalidateRect(pane->owner->hwnd, &r, TRUE);
    }
}

// The close entry runs while the pane's window is still there.
void PluginPane::close() {
    if (!closed_) {
        closed_ = true;
        if (idle_.pane) periodic_task_remove(&idle_.task);
        if (auto closing = behaviour_ ? behaviour_->close : nullptr) {
            RuntimeObject* held = hold(control);
            closing(held);
            RuntimeUnlockObject(held);
        }
    }
    Pane::close();
}

void PluginPane::opened() {
    if (auto open = behaviour_ ? behaviour_->open : nullptr) {
        ControlObject* c = control;
        RuntimeObject* held = hold(c);
        open(held);
        const bool mine = still_mine(c, this);
        RuntimeUnlockObject(held);
        if (!mine || closed_) return;
    }
    if (behaviour_ && behaviour_->idle) {
        idle_.pane = this;
        idle_.task.period = kIdlePeriod;
        idle_.task.last_run = runtime_ticks_now();
        idle_.task.action = run_idle;
        periodic_task_add(&idle_.task);
    }
}

void PluginPane::run_idle(PeriodicTask* task) {
    PluginPane* pane = reinterpret_cast<IdleTask*>(task)->pane;
    if (pane->closed_) return;
    RuntimeObject* held = hold(pane->control);
    pane->behaviour_->idle(held);
    RuntimeUnlockObject(held);
}

void plugin_control_create_pane(RuntimeObject* object) {
    const TAVOControlDefinition* definition = object ? definition_of(object) : nullptr;
    ControlObject* control = object ? as_control(object) : nullptr;
    if (!definition || (definition->flags & TAVO_CONTROL_HAS_NO_PANE) || control->pane || !control->view) return;
    auto* pane = new PluginPane(control, definition);
    const PaneCreation how = {control->rect, nullptr, "", "TV_Pane", 0, 0};
    if (!pane->create(how)) {
        delete pane;
        return;
    }
    control->pane = pane;
    pane->opened();
}

std::uint32_t plugin_control_background(const ControlObject* control) {
    const WindowObject* window = control ? control->window : nullptr;
    const NativeView* view = window ? window->view : nullptr;
    if (view && view->has_back_colour) return view->back_colour & 0xFFFFFF;
    return colour_from_gdi(GetSysColor(COLOR_BTNFACE));
}

void plugin_control_redraw(RuntimeObject* control) {
    if (Pane* pane = control ? control_pane(as_control(control)) : nullptr) pane->refresh();
}
