// The pane of a plugin control: a "TV_Pane" child window whose painting,
// mouse, keys, focus, open, close and idle go to the control's behaviour
// table. Plugins see window coordinates everywhere, as in the bounds.
#pragma once

#include <cstdint>

#include "panes/pane.h"
#include "plugin_interface.h"
#include "startup/periodic_tasks.h"

struct ControlObject;
struct RuntimeObject;

class PluginPane final : public Pane {
public:
    PluginPane(ControlObject* control, const TAVOControlDefinition* definition);

    void draw(HDC dc) override;
    bool mouse_down(int x, int y, std::int32_t modifiers) override;
    void mouse_drag(int x, int y) override;
    void mouse_up(int x, int y) override;
    void lose_focus() override;
    void gain_focus() override;
    bool accepts_focus() override;
    bool key_down(char character, std::uint8_t key_code, std::int32_t modifiers) override;
    void refresh() override;
    void close() override;

    // The pane's window exists: open, then idle calls when the table has them.
    void opened();

private:
    struct IdleTask {
        PeriodicTask task;  // first: the task list hands this back
        PluginPane* pane;
    };
    static void run_idle(PeriodicTask* task);

    const TAVOControlDefinition* definition_;
    const TAVOControlBehaviour* behaviour_;
    IdleTask idle_ = {};
    bool closed_ = false;
    bool tracking_ = false;  // the mouse-down entry asked for drag and up calls
};

// Marks the whole pane, or `area` (window coordinates), for painting,
// without telling the plugin.
void pane_invalidate(Pane* pane, const RECT* area);

// The built-in CreatePane handler of every plugin control class.
void plugin_control_create_pane(RuntimeObject* control);
// The colour behind the control (0x00RRGGBB): its window's back colour, or
// the button face colour of a window without one.
std::uint32_t plugin_control_background(const ControlObject* control);
// Redraws the control's pane, if it has one (field setters with the redraw flag).
void plugin_control_redraw(RuntimeObject* control);
