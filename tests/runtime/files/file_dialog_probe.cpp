// Shows the open or save dialog and then the chosen path in a message box
// ("nil" when cancelled): `file_dialog_probe open` or `file_dialog_probe
// save DEFAULTNAME`. The project declares one type, Text with ".txt".
#include <windows.h>

#include <cstring>

#include "file_entry_points.h"
#include "file_types.h"
#include "folder_item.h"
#include "objects/memory.h"

int main(int argc, char** argv) {
    auto* types = static_cast<FileType*>(runtime_alloc(sizeof(FileType)));
    types[0] = {string_from_cstr("Text"), string_from_cstr("ttxt"), string_from_cstr("TEXT"), string_from_cstr(".txt")};
    file_types_install(types, 1);
    RuntimeString* filter = string_from_cstr("Text");
    const bool save = argc > 1 && std::strcmp(argv[1], "save") == 0;
    RuntimeString* default_name = string_from_cstr(argc > 2 ? argv[2] : "");
    RuntimeObject* chosen = save ? RuntimeGetSaveFolderItem(filter, default_name) : RuntimeGetOpenFolderItem(filter);
    RuntimeString* shown = chosen ? fileAbsolutePathGetter(chosen, 0) : string_from_cstr("nil");
    RuntimeMsgBox(shown);
    return 0;
}
