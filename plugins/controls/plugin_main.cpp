// tavoctl1: the appearance controls. The runtime gives each control a pane
// and calls the behaviour tables for painting, mouse and idle work.
#include <initializer_list>

#include "controls.h"
#include "services.h"

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolver) {
    // A runtime without one of the services gets no controls, not a crash.
    if (!services_resolve(resolver)) return;
    const Services& s = services();
    s.register_version(5);
    for (TAVOControlDefinition* definition :
         {bevel_button_definition(), chasing_arrows_definition(), little_arrows_definition(), placard_definition(),
          separator_definition(), popup_arrow_definition(), disclosure_triangle_definition(), image_well_definition()})
        s.register_control(definition);
}
