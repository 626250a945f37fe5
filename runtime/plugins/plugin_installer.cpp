#include "plugin_installer.h"

#include <shlobj.h>

#include <cstring>

#include "image/image_loader.h"
#include "plugin_classes.h"
#include "plugin_records.h"

namespace {

constexpr std::size_t kEntryHeader = 13;  // next, length, reserved, name length
constexpr int kMostEntries = 64;
constexpr UINT kFolderBufferSize = 1024;
const char kPerUserFolder[] = "Tunequilt Extractor";
const char kPerUserPlugins[] = "Tunequilt Extractor\\plugins";

std::uint32_t read_u32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

UINT system_folder(char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }
UINT windows_folder(char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }

// Local application data + "Tunequilt Extractor\plugins", made if missing.
UINT per_user_folder(char* buffer, UINT size) {
    if (size < MAX_PATH) return 0;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return 0;
    LPITEMIDLIST list = nullptr;
    bool found = SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_LOCAL_APPDATA, &list)) && list &&
                 SHGetPathFromIDListA(list, buffer);
    if (list) allocator->Free(list);
    allocator->Release();
    std::size_t base = found ? std::strlen(buffer) : 0;
    if (!found || base + 1 + sizeof kPerUserPlugins > size) return 0;
    buffer[base] = '\\';
    std::memcpy(buffer + base + 1, kPerUserFolder, sizeof kPerUserFolder);
    CreateDirectoryA(buffer, nullptr);
    std::memcpy(buffer + base + 1, kPerUserPlugins, sizeof kPerUserPlugins);
    CreateDirectoryA(buffer, nullptr);
    return static_cast<UINT>(std::strlen(buffer));
}

PluginTargetFolders g_folders = {system_folder, windows_folder, per_user_folder};

UINT plain_write(HFILE file, const void* bytes, UINT size) {
    return _lwrite(file, static_cast<LPCCH>(bytes), size);
}
PluginWriteStep g_write = plain_write;

// A file name only: nothing that reaches another folder.
bool is_plain_name(const std::uint8_t* name, std::size_t n) {
    if (n == 0) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = static_cast<char>(name[i]);
        if (c == '\\' || c == '/' || c == ':' || c == 0) return false;
        if (c == '.' && i + 1 < n && name[i + 1] == '.') return false;
    }
    return true;
}

// folder + "\" + name into path; false when there is no folder or it does not fit.
bool build_path(UINT (*folder)(char*, UINT), const std::uint8_t* name, std::size_t n, char* path, std::size_t size) {
    UINT length = folder ? folder(path, static_cast<UINT>(size)) : 0;
    if (length == 0 || length >= size || length + 1 + n + 1 > size) return false;
    path[length] = '\\';
    std::memcpy(path + length + 1, name, n);
    path[length + 1 + n] = 0;
    return true;
}

bool write_dll(const char* path, const std::uint8_t* bytes, UINT size) {
    HFILE file = _lcreat(path, 0);
    if (file == HFILE_ERROR) return false;
    UINT written = g_write(file, bytes, size);
    _lclose(file);
    if (written == size) return true;
    DeleteFileA(path);  // a cut-off DLL must not be loaded later
    return false;
}

// A copy left by an earlier start is used only when it is this very DLL.
bool holds_bytes(const char* path, const std::uint8_t* bytes, std::uint32_t size) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool same = GetFileSize(file, nullptr) == size;
    std::uint8_t chunk[512];
    for (std::uint32_t at = 0; same && at < size;) {
        DWORD want = size - at < sizeof chunk ? size - at : sizeof chunk, got = 0;
        same = ReadFile(file, chunk, want, &got, nullptr) && got == want && std::memcmp(chunk, bytes + at, got) == 0;
        at += got;
    }
    CloseHandle(file);
    return same;
}

void install_entry(const std::uint8_t* name, std::size_t n, const std::uint8_t* dll, std::uint32_t size) {
    UINT (*const folders[])(char*, UINT) = {g_folders.system, g_folders.windows, g_folders.per_user};
    char path[kFolderBufferSize + 260];
    for (auto folder : folders) {
        if (build_path(folder, name, n, path, sizeof path) && write_dll(path, dll, size)) {
            plugin_load(path);
            return;
        }
    }
    for (auto folder : folders) {
        if (build_path(folder, name, n, path, sizeof path) && holds_bytes(path, dll, size)) {
            plugin_load(path);
            return;
        }
    }
}

}  // namespace

PluginTargetFolders& plugin_target_folders() { return g_folders; }
PluginTargetFolders plugin_default_target_folders() { return {system_folder, windows_folder, per_user_folder}; }

void plugin_set_write_step(PluginWriteStep step) { g_write = step ? step : plain_write; }

int plugin_install_list(const std::uint8_t* head, const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* seen[kMostEntries];
    int count = 0;
    int entered = 0;
    for (const std::uint8_t* entry = head; entry && count < kMostEntries;) {
        // The header, then the whole entry, must lie in the data.
        if (entry < data || static_cast<std::size_t>(entry - data) > size || size - (entry - data) < kEntryHeader) break;
        bool again = false;
        for (int i = 0; i < count; ++i) again = again || seen[i] == entry;
        if (again) break;
        seen[count++] = entry;
        std::uint32_t length = read_u32(entry + 4);
        std::size_t n = entry[12];
        std::size_t room = size - static_cast<std::size_t>(entry - data) - 8;
        if (length < 5 + n || length > room) break;
        const std::uint8_t* name = entry + kEntryHeader;
        if (is_plain_name(name, n)) {
            const PluginRecord* before = newest_plugin();
            install_entry(name, n, name + n, static_cast<std::uint32_t>(length - 5 - n));
            if (newest_plugin() != before) ++entered;
        }
        entry = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(read_u32(entry)));
    }
    plugin_classes_complete();
    return entered;
}

void plugin_install_from_image(const std::uint8_t* head) {
    const std::uint8_t* data = image_data_base();
    plugin_install_list(data ? head : nullptr, data, image_data_size());
}
