// The window layer's part in start-up: it fills ui_services() with its own
// functions. Called explicitly by the process entry, before RuntimeInit.
#pragma once

void ui_layer_install();
