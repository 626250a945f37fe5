// Special folders, volumes and temporary files: each call makes a new
// FolderItem with the path exactly as the system gave it.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>

#include "file_entry_points.h"
#include "file_lookup.h"
#include "folder_item.h"

namespace {

RuntimeObject* item_from_cstr(const char* path) { return folder_item_new(string_from_cstr(path)); }

RuntimeObject* shell_folder(int csidl) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return nullptr;
    RuntimeObject* result = nullptr;
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) && list) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(list, path)) result = item_from_cstr(path);
        allocator->Free(list);
    }
    allocator->Release();
    return result;
}

using DirectoryFunction = UINT(WINAPI*)(LPSTR, UINT);

RuntimeObject* system_directory(DirectoryFunction get) {
    char path[kPathBufferSize];
    const UINT n = get(path, sizeof path);
    return n > 0 && n < sizeof path ? item_from_cstr(path) : nullptr;
}

UINT WINAPI temp_path(LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); }

// Drive letters in the order volumes are counted: C to Z, then A and B.
char drive_letter(int position) { return static_cast<char>(position < 24 ? 'C' + position : 'A' + position - 24); }

}  // namespace

extern "C" {

RuntimeObject* getAppleMenuFolder() { return shell_folder(CSIDL_PROGRAMS); }
RuntimeObject* getControlPanelsFolder() { return shell_folder(CSIDL_CONTROLS); }
RuntimeObject* getDesktopFolder() { return shell_folder(CSIDL_DESKTOPDIRECTORY); }
RuntimeObject* getStartupItemsFolder() { return shell_folder(CSIDL_STARTUP); }
RuntimeObject* getFontsFolder() { return shell_folder(CSIDL_FONTS); }
RuntimeObject* getTrashFolder() { return shell_folder(CSIDL_BITBUCKET); }
RuntimeObject* getShutdownItemsFolder() { return nullptr; }
RuntimeObject* getSystemFolder() { return system_directory(GetSystemDirectoryA); }
RuntimeObject* getExtensionsFolder() { return getSystemFolder(); }
RuntimeObject* getPreferencesFolder() { return system_directory(GetWindowsDirectoryA); }
RuntimeObject* getTemporaryItemsFolder() { return system_directory(temp_path); }

std::int32_t getVolumeCount() {
    DWORD drives = GetLogicalDrives();
    std::int32_t count = 0;
    for (; drives; drives &= drives - 1) ++count;
    return count;
}

RuntimeObject* getVolume(std::int32_t index) {
    const DWORD drives = GetLogicalDrives();
    for (int position = 0; position < 26; ++position) {
        const char letter = drive_letter(position);
        if (!(drives & (1u << (letter - 'A')))) continue;
        if (index-- == 0) {
            const char path[] = {letter, ':', '\0'};
            return item_from_cstr(path);
        }
    }
    return nullptr;
}

RuntimeObject* getTemporaryFolderItem() {
    char directory[kPathBufferSize], path[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof directory, directory);
    if (n == 0 || n >= sizeof directory || !GetTempFileNameA(directory, "tvt", 0, path)) return nullptr;
    return item_from_cstr(path);
}

}  // extern "C"
