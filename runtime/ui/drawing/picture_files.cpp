// Pictures from and to BMP files, and the pictures of the project
// description (item kind 1: a u32 id, then a BMP file).
#include <cctype>
#include <cstring>

#include "bmp_format.h"
#include "drawing_classes.h"
#include "folder_item.h"
#include "objects/memory.h"
#include "picture.h"
#include "picture_entry_points.h"
#include "startup/project_description.h"

namespace {

// Larger files are not read into memory.
constexpr DWORD kMaxFileSize = 512u * 1024 * 1024;

struct ProjectPictures {
    RuntimeObject** pictures;  // borrowed: the project object table holds them
    std::uint32_t count, capacity;
};
ProjectPictures g_project = {nullptr, 0, 0};

void remember_project_picture(RuntimeObject* picture) {
    if (g_project.count == g_project.capacity) {
        const std::uint32_t capacity = g_project.capacity ? 2 * g_project.capacity : 8;
        auto* grown = static_cast<RuntimeObject**>(runtime_alloc(sizeof(RuntimeObject*) * capacity));
        if (g_project.count) std::memcpy(grown, g_project.pictures, sizeof(RuntimeObject*) * g_project.count);
        runtime_free(g_project.pictures, sizeof(RuntimeObject*) * g_project.capacity);
        g_project.pictures = grown;
        g_project.capacity = capacity;
    }
    g_project.pictures[g_project.count++] = picture;
}

RuntimeObject* project_picture(const std::uint8_t* data, const DataSpan& span) {
    if (!span.contains(data, 4 + 14)) return nullptr;
    std::uint32_t id = 0, declared = 0;
    std::memcpy(&id, data, 4);
    const std::uint8_t* file = data + 4;
    std::memcpy(&declared, file + 2, 4);
    std::size_t available = span.size - static_cast<std::size_t>(file - span.start);
    if (declared >= 14 && declared < available) available = declared;
    RuntimeObject* picture = bmp_read_file(file, available);
    if (!picture) return nullptr;
    reinterpret_cast<PictureObject*>(picture)->id = static_cast<std::int32_t>(id);
    remember_project_picture(picture);
    return picture;
}

// Names ending in the extension of another picture format are not written
// as BMP files.
bool names_other_format(const char* path) {
    const char* dot = std::strrchr(path, '.');
    if (!dot || std::strchr(dot, '\\')) return false;
    static const char* const kOther[] = {".jpg", ".jpeg", ".png", ".gif", ".tif", ".tiff", ".pct", ".pict", ".ico"};
    for (const char* other : kOther)
        if (lstrcmpiA(dot, other) == 0) return true;
    return false;
}

bool write_all(HANDLE file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > (1u << 20) ? (1u << 20) : static_cast<DWORD>(size);
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written != chunk) return false;
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

// Writes to a new file next to the target and puts it in place only when
// complete, so a failed save leaves an existing file as it was.
bool save_file(const char* path, const std::uint8_t* bytes, std::size_t size) {
    char folder[MAX_PATH], temporary[MAX_PATH];
    lstrcpynA(folder, path, MAX_PATH);
    char* slash = std::strrchr(folder, '\\');
    // A folder at a root keeps its backslash: "C:\" and "\".
    if (slash) *(slash == folder || slash[-1] == ':' ? slash + 1 : slash) = 0;
    else lstrcpyA(folder, ".");
    if (!GetTempFileNameA(folder, "tvt", 0, temporary)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE && write_all(file, bytes, size);
    if (file != INVALID_HANDLE_VALUE) ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temporary);
    return ok;
}

}  // namespace

void picture_files_install() { project_item_factories().picture = project_picture; }

void project_picture_forget(RuntimeObject* picture) {
    for (std::uint32_t i = 0; i < g_project.count; ++i) {
        if (g_project.pictures[i] != picture) continue;
        g_project.pictures[i] = g_project.pictures[--g_project.count];
        return;
    }
}

extern "C" {

RuntimeObject* FolderItemOpenImage(RuntimeObject* item) {
    if (!item) return nullptr;
    HANDLE file = CreateFileA(string_cstr(folder_item_path(item)), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    RuntimeObject* picture = nullptr;
    if (size != INVALID_FILE_SIZE && high == 0 && size >= 14 && size <= kMaxFileSize) {
        auto* bytes = static_cast<std::uint8_t*>(runtime_alloc(size));
        DWORD got = 0;
        if (ReadFile(file, bytes, size, &got, nullptr) && got == size) picture = bmp_read_file(bytes, size);
        runtime_free(bytes, size);
    }
    CloseHandle(file);
    return picture;
}

void FolderItemSaveAsPicture(RuntimeObject* item, RuntimeObject* picture) {
    PictureData* data = picture_data(picture);
    if (!item || !data) return;
    const char* path = string_cstr(folder_item_path(item));
    if (!*path || names_other_format(path)) return;
    GdiFlush();
    const std::size_t size = bmp_file_size(*data);
    auto* bytes = static_cast<std::uint8_t*>(runtime_alloc(size));
    bmp_write_file(*data, bytes);
    save_file(path, bytes, size);
    runtime_free(bytes, size);
}

RuntimeObject* RuntimePictureReference(std::int32_t id) {
    for (std::uint32_t i = 0; i < g_project.count; ++i)
        if (reinterpret_cast<PictureObject*>(g_project.pictures[i])->id == id) return RuntimeLockObject(g_project.pictures[i]);
    return nullptr;
}

}  // extern "C"
