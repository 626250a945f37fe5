#include "controls/progress_bar/progress_pane.h"

#include <commctrl.h>

#include "controls/progress_bar/progress_bar.h"
#include "startup/process.h"

namespace {

constexpr std::uint32_t kStepTicks = 10;
constexpr int kBlockSpacing = 8, kBlockWidth = 6, kBlockInset = 2;

void fill(HDC dc, int left, int top, int right, int bottom, int colour_index) {
    const RECT r = {left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(colour_index));
}

}  // namespace

IndeterminateOverlay::IndeterminateOverlay(ProgressPane* bar) : Pane(bar->control), bar_(bar) {
    task_.period = kStepTicks;
    task_.action = run;
    task_.overlay = this;
}

IndeterminateOverlay::~IndeterminateOverlay() {
    periodic_task_remove(&task_);
    HWND hwnd = native;
    native = nullptr;
    if (!hwnd || !IsWindow(hwnd)) return;
    SetWindowLongPtrA(hwnd, 0, 0);
    DestroyWindow(hwnd);
}

// The overlay is the bar's, not the view's: it stays out of the view's
// pane list, so clicks and focus go to the bar and the panes behind it.
bool IndeterminateOverlay::open() {
    owner = bar_->owner;
    rect = bar_->rect;
    width = bar_->width;
    height = bar_->height;
    HWND parent = GetParent(bar_->native);
    POINT at = {rect.left, rect.top};
    MapWindowPoints(owner->hwnd, parent, &at, 1);
    native = CreateWindowExA(0, "TV_Pane", "", WS_CHILD | (bar_->visible ? WS_VISIBLE : 0), at.x, at.y, width, height,
                             parent, nullptr, process_instance(), nullptr);
    if (!native) return false;
    SetWindowLongPtrA(native, 0, reinterpret_cast<LONG_PTR>(static_cast<Pane*>(this)));
    SetWindowPos(native, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    task_.last_run = runtime_ticks_now();
    periodic_task_add(&task_);
    return true;
}

void IndeterminateOverlay::follow_bar() {
    rect = bar_->rect;
    width = bar_->width;
    height = bar_->height;
    if (!native) return;
    POINT at = {rect.left, rect.top};
    MapWindowPoints(owner->hwnd, GetParent(native), &at, 1);
    MoveWindow(native, at.x, at.y, width, height, TRUE);
    ShowWindow(native, bar_->visible ? SW_SHOWNA : SW_HIDE);
}

// In the overlay's own coordinates: its left and top are 0.
void IndeterminateOverlay::draw(HDC dc) {
    const int right = width, bottom = height;
    fill(dc, 1, 1, right - 1, bottom - 1, COLOR_BTNFACE);
    fill(dc, 0, 0, right, 1, COLOR_BTNSHADOW);
    fill(dc, right - 1, 0, right, bottom, COLOR_BTNSHADOW);
    fill(dc, 0, bottom - 1, right, bottom, COLOR_BTNHIGHLIGHT);
    fill(dc, 0, 0, 1, bottom - 1, COLOR_BTNHIGHLIGHT);
    const int x = kBlockSpacing * position_;
    fill(dc, x, kBlockInset, x + kBlockWidth, bottom - kBlockInset, COLOR_HIGHLIGHT);
}

void IndeterminateOverlay::step() {
    const int end = width / kBlockSpacing;
    if (!backwards_ && ++position_ >= end) {
        backwards_ = true;
        position_ = end - 1;
    } else if (backwards_ && --position_ < 0) {
        backwards_ = false;
        position_ = 1;
    }
    if (native) InvalidateRect(native, nullptr, FALSE);
}

void IndeterminateOverlay::run(PeriodicTask* task) { static_cast<Task*>(task)->overlay->step(); }

ProgressPane::ProgressPane(ProgressBarObject* bar) : NativeControlPane(&bar->control), bar_(bar) {}

ProgressPane::~ProgressPane() { drop_overlay(); }

bool ProgressPane::create_bar() {
    const PaneCreation how = {bar_->control.rect, nullptr, nullptr, PROGRESS_CLASSA, 0, 0};
    if (!create(how)) return false;
    set_maximum(bar_->maximum);
    set_value(bar_->value);
    return true;
}

void ProgressPane::set_value(std::int32_t value) {
    if (native) SendMessageA(native, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

// The 32-bit range message: the 16-bit one would wrap maxima past 65,535.
void ProgressPane::set_maximum(std::int32_t maximum) {
    if (native) SendMessageA(native, PBM_SETRANGE32, 0, maximum);
    if (maximum > 0) {
        drop_overlay();
        return;
    }
    if (overlay_ || !native) return;
    overlay_ = new IndeterminateOverlay(this);
    if (!overlay_->open()) drop_overlay();
}

void ProgressPane::drop_overlay() {
    delete overlay_;
    overlay_ = nullptr;
}

void ProgressPane::close() {
    drop_overlay();
    NativeControlPane::close();
}

void ProgressPane::set_rect(const ShortRect& r, bool redraw) {
    NativeControlPane::set_rect(r, redraw);
    if (overlay_) overlay_->follow_bar();
}

void ProgressPane::set_visible(bool on) {
    NativeControlPane::set_visible(on);
    if (overlay_) overlay_->follow_bar();
}
