// The part of a window description after the window's own pairs: its
// controls, their panes, the bindings and the Open events.
#pragma once

#include <cstdint>

#include "descriptions/description_reader.h"

struct ControlTemplate;
struct NativeView;
struct RuntimeObject;
struct WindowObject;

// Makes the controls of `view`'s window as their entries are read, then
// (once every entry was read whole) their panes and bindings, and sends the
// Open events.
class WindowControls final : public ControlsSink {
public:
    WindowControls() = default;
    explicit WindowControls(NativeView* view);

    void control(std::int32_t class_index) override;
    void control_pair(RuntimeString* name, RuntimeString* value) override;
    void control_done(bool complete) override;
    bool controls_done() override;
    bool binding(const DescriptionBinding& binding) override;
    void bindings_done() override;

private:
    NativeView* view_ = nullptr;
    WindowObject* window_ = nullptr;
    // The control being read.
    RuntimeObject* object_ = nullptr;
    ControlTemplate* made_ = nullptr;
    RuntimeString* name_ = nullptr;
    std::int32_t index_ = 0;
};

// Gives a control of a window whose view exists its pane (CreatePane).
struct ControlObject;
void control_create_pane(ControlObject* control);
// True while CreatePane runs for a clone.
bool control_cloning();
