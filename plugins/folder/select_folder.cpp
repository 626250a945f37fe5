// tavosel1: adds the global method "SelectFolder as FolderItem", which shows
// the shell's folder browser and returns the chosen folder, or nil.
#include <windows.h>
#include <shlobj.h>

#include "plugin_interface.h"

namespace {

TAVOResolver g_resolver = nullptr;

// Each service is looked up on first use and kept; an unknown one stays null.
template <typename F>
F service(F& cache, const char* name) {
    if (!cache && g_resolver) cache = reinterpret_cast<F>(g_resolver(name));
    return cache;
}

void (*g_register_version)(std::int32_t) = nullptr;
void (*g_register_method)(const TAVOMethodDefinition*) = nullptr;
void* (*g_folder_item_from_path)(const char*) = nullptr;

int CALLBACK browse_callback(HWND browser, UINT message, LPARAM parameter, LPARAM) {
    char path[MAX_PATH];
    if (message == BFFM_INITIALIZED) {
        if (GetCurrentDirectoryA(sizeof path, path)) SendMessageA(browser, BFFM_SETSELECTIONA, 1, reinterpret_cast<LPARAM>(path));
    } else if (message == BFFM_SELCHANGED) {
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(parameter), path)) {
            SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

void* select_folder() {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return nullptr;
    BROWSEINFOA info;
    static_assert(sizeof info == 32, "the browse description is eight words");
    ZeroMemory(&info, sizeof info);
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = browse_callback;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) {
        allocator->Release();
        return nullptr;
    }
    char path[MAX_PATH];
    BOOL converted = SHGetPathFromIDListA(chosen, path);
    allocator->Free(chosen);
    allocator->Release();
    if (!converted) return nullptr;
    auto from_path = service(g_folder_item_from_path, "FolderItemFromPath");
    return from_path ? from_path(path) : nullptr;
}

const TAVOMethodDefinition kSelectFolder = {reinterpret_cast<void*>(&select_folder), nullptr,
                                            "SelectFolder as FolderItem"};

}  // namespace

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolver) {
    g_resolver = resolver;
    if (auto register_version = service(g_register_version, "RegisterPluginVersion")) register_version(5);
    if (auto register_method = service(g_register_method, "PluginRegisterMethod")) register_method(&kSelectFolder);
}
