// The plugins carried in the application image: a linked list of embedded
// DLL entries whose head the image hands over before start-up.
#pragma once

#include <cstdint>

// Installs the recorded plugins (write, load, enter, complete their
// classes); set by the plugin host. Without one nothing is installed.
using PluginInstaller = void (*)(const std::uint8_t* head);
void plugin_list_set_installer(PluginInstaller installer);
void plugin_list_install();

extern "C" void Win32InstallPlugins(const std::uint8_t* head);
