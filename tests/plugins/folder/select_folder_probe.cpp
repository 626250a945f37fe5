// Loads tavosel1 through the plugin host, calls SelectFolder once and shows
// the path of the FolderItem it gave exactly as stored ("nil" for none).
//   select_folder_probe TAVOSEL1.DLL
#include <windows.h>

#include <cstddef>

#include "file_class_members.h"
#include "folder_item.h"
#include "objects/builtin_classes.h"
#include "plugin_binding.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    builtin_classes_create();
    file_classes_describe();
    char path[MAX_PATH] = {};
    for (std::size_t i = 0, n = 0; command_line[i] && n + 1 < sizeof path; ++i) {
        if (command_line[i] != '"') path[n++] = command_line[i] == '/' ? '\\' : command_line[i];
    }
    if (!plugin_load(path)) return 2;
    RuntimeString* reference = string_from_cstr("MSelectFolder as FolderItem");
    auto select_folder = reinterpret_cast<RuntimeObject* (*)()>(plugin_member_address(reference));
    RuntimeUnlockString(reference);
    if (!select_folder) return 3;
    RuntimeObject* item = select_folder();
    RuntimeString* shown = item ? string_concat({"path ", string_cstr(folder_item_path(item))}) : string_from_cstr("nil");
    RuntimeMsgBox(shown);
    RuntimeUnlockString(shown);
    RuntimeUnlockObject(item);
    return 0;
}
