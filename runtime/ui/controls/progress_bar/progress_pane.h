// The pane of a ProgressBar, and the overlay that shows it indeterminate:
// a "TV_Pane" window over the bar, redrawn by a periodic task that moves
// its block one step every 10 ticks.
#pragma once

#include "panes/native_control_pane.h"
#include "startup/periodic_tasks.h"

struct ProgressBarObject;
class ProgressPane;

class IndeterminateOverlay : public Pane {
public:
    explicit IndeterminateOverlay(ProgressPane* bar);
    ~IndeterminateOverlay() override;

    bool open();
    void draw(HDC dc) override;
    // One step of the block, forwards or backwards, turning at the ends.
    void step();
    void follow_bar();

private:
    struct Task : PeriodicTask {
        IndeterminateOverlay* overlay;
    };
    ProgressPane* bar_;
    Task task_ = {};
    int position_ = 0;
    bool backwards_ = false;

    static void run(PeriodicTask* task);
};

class ProgressPane : public NativeControlPane {
public:
    explicit ProgressPane(ProgressBarObject* bar);
    ~ProgressPane() override;

    bool create_bar();
    void set_value(std::int32_t value);
    void set_maximum(std::int32_t maximum);

    void close() override;
    void set_rect(const ShortRect& rect, bool redraw) override;
    void set_visible(bool on) override;

private:
    ProgressBarObject* bar_;  // no reference: the window holds its controls
    IndeterminateOverlay* overlay_ = nullptr;

    void drop_overlay();
};
