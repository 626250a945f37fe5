#include "controls/progress_bar/progress_bar.h"

#include <cstddef>

#include "controls/builtin_control.h"
#include "controls/progress_bar/progress_pane.h"
#include "descriptions/property_tables.h"
#include "panes/control_panes.h"

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

const PropertyRow kRows[] = {
    {0, "Value", &kIntegerType, kValue, as_getter(progressValueGetter), as_setter(progressValueSetter), 0},
    {0, "Maximum", &kIntegerType, kValue, as_getter(progressMaximumGetter), as_setter(progressMaximumSetter), 0},
};

ProgressBarObject* bar_of(RuntimeObject* object) { return reinterpret_cast<ProgressBarObject*>(object); }
ProgressPane* pane_of(ProgressBarObject* bar) { return static_cast<ProgressPane*>(control_pane(&bar->control)); }

void create_pane(RuntimeObject* object) {
    ProgressBarObject* bar = bar_of(object);
    auto* pane = new ProgressPane(bar);
    if (!pane->create_bar()) {
        delete pane;
        return;
    }
    bar->control.pane = pane;
}

}  // namespace

void progress_bar_describe() {
    property_table_install(B::ProgressBar, kRows);
    control_class_create_pane(B::ProgressBar, create_pane);
}

extern "C" {

std::int32_t progressValueGetter(RuntimeObject* object, std::uint32_t) { return object ? bar_of(object)->value : 0; }

void progressValueSetter(RuntimeObject* object, std::uint32_t, std::int32_t value) {
    if (!object) return;
    ProgressBarObject* bar = bar_of(object);
    if (ProgressPane* pane = pane_of(bar)) pane->set_value(value);
    bar->value = value;
}

std::int32_t progressMaximumGetter(RuntimeObject* object, std::uint32_t) {
    return object ? bar_of(object)->maximum : 0;
}

void progressMaximumSetter(RuntimeObject* object, std::uint32_t, std::int32_t maximum) {
    if (!object) return;
    ProgressBarObject* bar = bar_of(object);
    if (ProgressPane* pane = pane_of(bar)) pane->set_maximum(maximum);
    bar->maximum = maximum;
}

}  // extern "C"
