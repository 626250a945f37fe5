// Connects the plugin host to start-up: the installer of the plugin list,
// the member lookup of the linker and the class lookup of the project
// description. Called by RuntimeInit before the plugins are installed.
#pragma once

void plugin_host_connect();
