// Host stand-ins for the Win32 calls of the readers. The "program file" is
// the current fuzz input behind one padding byte, and its locator resource
// points just past that byte; libraries and their routines are never found.
#include "windows.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "fuzz_shim.h"
#include "shlobj.h"

namespace {

FuzzInput g_input;
const std::uint32_t g_locator[2] = {1, 0xFFFFFFFF};
struct FakeFile {
    std::size_t pos;
} g_file;

}  // namespace

void fuzz_set_program_file(const std::uint8_t* bytes, std::size_t size) { g_input = {bytes, size}; }

HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(&g_input); }
DWORD GetModuleFileNameA(HMODULE, LPSTR path, DWORD size) {
    std::strncpy(path, "runner.exe", size);
    return 10;
}
HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) { return reinterpret_cast<HRSRC>(const_cast<std::uint32_t*>(g_locator)); }
HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }
LPVOID LockResource(HGLOBAL resource) { return resource; }
DWORD SizeofResource(HMODULE, HRSRC) { return sizeof g_locator; }

HANDLE CreateFileA(LPCSTR path, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE) {
    if (std::strcmp(path, "runner.exe") != 0) return INVALID_HANDLE_VALUE;
    g_file.pos = 0;
    return &g_file;
}
DWORD GetFileSize(HANDLE, LPDWORD) { return static_cast<DWORD>(g_input.size + 1); }
DWORD SetFilePointer(HANDLE, LONG distance, LONG*, DWORD) {
    g_file.pos = static_cast<std::size_t>(distance);
    return static_cast<DWORD>(distance);
}
BOOL ReadFile(HANDLE, LPVOID into, DWORD size, LPDWORD got, OVERLAPPED*) {
    const std::size_t file_size = g_input.size + 1;
    std::size_t n = g_file.pos >= file_size ? 0 : file_size - g_file.pos;
    if (n > size) n = size;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t at = g_file.pos + i;
        static_cast<std::uint8_t*>(into)[i] = at == 0 ? 0 : g_input.bytes[at - 1];
    }
    g_file.pos += n;
    *got = static_cast<DWORD>(n);
    return TRUE;
}
BOOL CloseHandle(HANDLE) { return TRUE; }

LPVOID VirtualAlloc(LPVOID, SIZE_T size, DWORD, DWORD) { return std::calloc(1, size); }
BOOL VirtualFree(LPVOID at, SIZE_T, DWORD) {
    std::free(at);
    return TRUE;
}
BOOL VirtualProtect(LPVOID, SIZE_T, DWORD, PDWORD old_protection) {
    *old_protection = PAGE_READWRITE;
    return TRUE;
}
HANDLE GetCurrentProcess() { return nullptr; }
BOOL FlushInstructionCache(HANDLE, LPCVOID, SIZE_T) { return TRUE; }
HMODULE LoadLibraryA(LPCSTR) { return nullptr; }
FARPROC GetProcAddress(HMODULE, LPCSTR) { return nullptr; }
void ExitProcess(UINT code) { std::exit(static_cast<int>(code)); }
int lstrcmpiA(LPCSTR a, LPCSTR b) { return strcasecmp(a, b); }
int lstrcmpA(LPCSTR a, LPCSTR b) { return std::strcmp(a, b); }

// Plugin files: the folders exist, every write succeeds in full and is
// thrown away, so no file is ever there to load or to compare.
UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
    std::strncpy(buffer, "C:\\Windows\\system32", size);
    return 19;
}
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    std::strncpy(buffer, "C:\\Windows", size);
    return 10;
}
BOOL CreateDirectoryA(LPCSTR, SECURITY_ATTRIBUTES*) { return TRUE; }
BOOL DeleteFileA(LPCSTR) { return TRUE; }
HFILE _lcreat(LPCSTR, int) { return 3; }
UINT _lwrite(HFILE, LPCCH, UINT size) { return size; }
HFILE _lclose(HFILE) { return 0; }
HRESULT SHGetMalloc(IMalloc**) { return -1; }
HRESULT SHGetSpecialFolderLocation(void*, int, LPITEMIDLIST*) { return -1; }
BOOL SHGetPathFromIDListA(LPITEMIDLIST, LPSTR) { return FALSE; }
