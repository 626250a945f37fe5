// tavoctl1: the appearance controls. The runtime gives each control a pane
// and calls the behaviour tables for painting, mouse and idle work.
#include "controls.h"
#include "services.h"

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolver) {
    // A runtime without one of the services gets no controls, not a crash.
    if (!services_resolve(resolver)) return;
    const Services& s = services();
    s.register_version(5);
    s.register_control(separator_definition());
}
