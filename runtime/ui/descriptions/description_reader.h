// The records of a window description, read apart from what they become,
// so that the reading can be checked on its own. A body is: the window's
// pair count and class, its pairs, the controls (class, pair count, pairs)
// and the bindings.
#pragma once

#include <cstdint>

struct RuntimeString;

struct DescriptionBinding {
    std::int32_t source, target, binder_class;
    RuntimeString *source_interface, *target_interface, *source_part, *target_part;
};

// The controls of the window and their bindings. The strings handed on
// are lent for the call.
class ControlsSink {
public:
    virtual void control(std::int32_t class_index) = 0;
    virtual void control_pair(RuntimeString* name, RuntimeString* value) = 0;
    // `complete` false: the description ended inside the control.
    virtual void control_done(bool complete) = 0;
    // Every control and binding was read whole. False: the window closed.
    virtual bool controls_done() = 0;
    virtual bool binding(const DescriptionBinding& binding) = 0;  // false: the window closed
    virtual void bindings_done() = 0;

protected:
    ~ControlsSink() = default;
};

class WindowSink {
public:
    // False: there is no window to go on with.
    virtual bool window(std::int32_t class_index) = 0;
    virtual void window_pair(RuntimeString* name, RuntimeString* value) = 0;
    // Where the controls go; null: no further reading.
    virtual ControlsSink* window_done() = 0;

protected:
    ~WindowSink() = default;
};

enum class DescriptionRead {
    kWhole,
    kStopped,          // a sink said so
    kDamagedWindow,    // ended in the window's own part
    kDamagedControls,  // ended among the controls or bindings; no control was opened
};

DescriptionRead description_read(const std::uint8_t* body, std::uint32_t length, WindowSink& sink);
