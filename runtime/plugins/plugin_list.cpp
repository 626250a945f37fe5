#include "plugin_list.h"

namespace {
const std::uint8_t* g_head = nullptr;
PluginInstaller g_installer = nullptr;
}  // namespace

extern "C" void Win32InstallPlugins(const std::uint8_t* head) { g_head = head; }

void plugin_list_set_installer(PluginInstaller installer) { g_installer = installer; }

void plugin_list_install() {
    if (g_head && g_installer) g_installer(g_head);
}
