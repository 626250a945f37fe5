// ProgressBar: the common progress control; a maximum of 0 or less makes
// it indeterminate, a block moving to and fro drawn over the bar.
#pragma once

#include <cstdint>

#include "controls/control_object.h"

struct ProgressBarObject {
    ControlObject control;
    std::int32_t value;
    std::int32_t maximum;
};
static_assert(sizeof(ProgressBarObject) == 96, "the size of the built-in class");

// The class's property table and CreatePane.
void progress_bar_describe();

extern "C" {
std::int32_t progressValueGetter(RuntimeObject* bar, std::uint32_t);
void progressValueSetter(RuntimeObject* bar, std::uint32_t, std::int32_t value);
std::int32_t progressMaximumGetter(RuntimeObject* bar, std::uint32_t);
void progressMaximumSetter(RuntimeObject* bar, std::uint32_t, std::int32_t maximum);
}
