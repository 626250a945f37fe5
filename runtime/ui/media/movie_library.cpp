#include "movie_library.h"

#include <windows.h>

#include <cstring>

#include "media_backend.h"

namespace {

constexpr char kLibraryName[] = "QuickTime.qts";
const char* const kEntryNames[] = {"_CallComponentFunctionWithStorage", "_CallComponent", "theQuickTimeDispatcher"};

enum class LibraryState { untried, loaded, failed };

struct MovieLibrary {
    LibraryState state;
    std::int32_t error;
    HMODULE module;
    FARPROC entries[3];
};
MovieLibrary g_library = {LibraryState::untried, 0, nullptr, {}};

// `folder` + "\" + the library's name; false when it would not fit.
bool library_path_in(const char* folder, std::size_t folder_length, char (&path)[MAX_PATH]) {
    if (folder_length == 0 || folder_length + 1 + sizeof kLibraryName > MAX_PATH) return false;
    std::memcpy(path, folder, folder_length);
    std::size_t at = folder_length;
    if (path[at - 1] != '\\') path[at++] = '\\';
    std::memcpy(path + at, kLibraryName, sizeof kLibraryName);
    return true;
}

HMODULE load_from(const char* path) {
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? nullptr : LoadLibraryA(path);
}

HMODULE find_library() {
    char path[MAX_PATH];
    // An already loaded copy is used again (and counted once more).
    if (HMODULE loaded = GetModuleHandleA(kLibraryName)) {
        DWORD n = GetModuleFileNameA(loaded, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) return LoadLibraryA(path);
    }
    char folder[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        const char* slash = std::strrchr(folder, '\\');
        if (slash && library_path_in(folder, static_cast<std::size_t>(slash - folder), path)) {
            if (HMODULE module = load_from(path)) return module;
        }
    }
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH && library_path_in(folder, length, path)) return load_from(path);
    return nullptr;
}

void fail(std::int32_t error) {
    if (g_library.module) FreeLibrary(g_library.module);
    g_library = {LibraryState::failed, error, nullptr, {}};
}

bool library_available() { return movie_library_start() == 0; }
bool open_nothing(const char*, std::uint32_t&) { return false; }
void nothing(std::uint32_t) {}
void play_nothing(std::uint32_t, bool, std::int32_t) {}
void mute_nothing(std::uint32_t, bool) {}
bool never(std::uint32_t) { return false; }
std::int32_t zero(std::uint32_t) { return 0; }
MediaSize no_size(std::uint32_t) { return {0, 0}; }

const MediaBackend kBackend = {
    library_available, open_nothing, play_nothing, nothing, mute_nothing, never, zero, zero, no_size, nothing,
    movie_library_stop,
};

}  // namespace

std::int32_t movie_library_start() {
    if (g_library.state != LibraryState::untried) return g_library.error;
    g_library.module = find_library();
    if (!g_library.module) {
        fail(kMovieLibraryMissing);
        return g_library.error;
    }
    for (int i = 0; i < 3; ++i) {
        g_library.entries[i] = GetProcAddress(g_library.module, kEntryNames[i]);
        if (!g_library.entries[i]) {
            fail(kMovieLibraryEntryMissing);
            return g_library.error;
        }
    }
    g_library.state = LibraryState::loaded;
    g_library.error = 0;
    return 0;
}

void movie_library_stop() {
    if (g_library.state == LibraryState::loaded) fail(kMovieLibraryMissing);
}

const MediaBackend& movie_library_backend() { return kBackend; }
