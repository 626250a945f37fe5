// Installing the plugins the image carries: each embedded DLL is written to
// a file, loaded from the path written and entered; then the plugin classes
// are completed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The folders tried in order. Each fills the buffer with a folder path and
// returns its length, 0 when there is none.
struct PluginTargetFolders {
    UINT (*system)(char* buffer, UINT size);
    UINT (*windows)(char* buffer, UINT size);
    UINT (*per_user)(char* buffer, UINT size);  // created when missing
};
PluginTargetFolders& plugin_target_folders();
// The system's folders, for putting them back.
PluginTargetFolders plugin_default_target_folders();

// The one write of a DLL's bytes; a result below the size is a failed write.
using PluginWriteStep = UINT (*)(HFILE file, const void* bytes, UINT size);
void plugin_set_write_step(PluginWriteStep step);  // null: _lwrite

// Installs the entries from `head`, reading only inside [data, data + size):
// a damaged length or link, a loop or an entry past the end ends the list.
// Then completes the plugin classes. Returns the number of plugins entered.
int plugin_install_list(const std::uint8_t* head, const std::uint8_t* data, std::size_t size);

// The installer hook of the plugin list: the entries lie in the image's data.
void plugin_install_from_image(const std::uint8_t* head);
