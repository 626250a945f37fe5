// The few Win32 declarations the runtime's readers use, for host builds of
// the fuzz targets. The functions are in win32_shim.cpp: the program file
// is the fuzz input, memory comes from the host allocator.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using LONG_PTR = std::intptr_t;
using SIZE_T = std::size_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPCSTR = const char*;
using LPSTR = char*;
using HANDLE = void*;
using HMODULE = struct HMODULE__*;
using HINSTANCE = HMODULE;
using HRSRC = struct HRSRC__*;
using HGLOBAL = void*;
using FARPROC = void (*)();
using PDWORD = DWORD*;
using LPDWORD = DWORD*;
using HFILE = int;
using LPCCH = const char*;
using HRESULT = long;
using COLORREF = DWORD;
struct OVERLAPPED;
struct SECURITY_ATTRIBUTES;

#define WINAPI
#define TRUE 1
#define FALSE 0
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define INVALID_FILE_SIZE (static_cast<DWORD>(0xFFFFFFFF))
#define INVALID_SET_FILE_POINTER (static_cast<DWORD>(-1))
#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 1u
#define OPEN_EXISTING 3u
#define FILE_BEGIN 0u
#define MEM_COMMIT 0x1000u
#define MEM_RESERVE 0x2000u
#define MEM_RELEASE 0x8000u
#define PAGE_READWRITE 0x04u
#define PAGE_EXECUTE_READ 0x20u
#define PAGE_EXECUTE_READWRITE 0x40u
#define MB_OK 0u
#define MAX_PATH 260
#define HFILE_ERROR (-1)
#define RGB(r, g, b) (static_cast<COLORREF>((r) | ((g) << 8) | ((b) << 16)))
#define FAILED(hr) ((hr) < 0)
#define SUCCEEDED(hr) ((hr) >= 0)

#define DEFAULT_CHARSET 1
#define HEBREW_CHARSET 177
#define SHIFTJIS_CHARSET 128
#define ARABIC_CHARSET 178
#define GREEK_CHARSET 161
#define TURKISH_CHARSET 162
#define CHINESEBIG5_CHARSET 136
#define THAI_CHARSET 222
#define RUSSIAN_CHARSET 204

HMODULE GetModuleHandleA(LPCSTR name);
DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flags, HANDLE model);
DWORD GetFileSize(HANDLE file, LPDWORD high);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method);
BOOL ReadFile(HANDLE file, LPVOID into, DWORD size, LPDWORD got, OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);
LPVOID VirtualAlloc(LPVOID at, SIZE_T size, DWORD type, DWORD protection);
BOOL VirtualFree(LPVOID at, SIZE_T size, DWORD type);
BOOL VirtualProtect(LPVOID at, SIZE_T size, DWORD protection, PDWORD old_protection);
HANDLE GetCurrentProcess();
BOOL FlushInstructionCache(HANDLE process, LPCVOID at, SIZE_T size);
HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
[[noreturn]] void ExitProcess(UINT code);
int lstrcmpiA(LPCSTR a, LPCSTR b);
int lstrcmpA(LPCSTR a, LPCSTR b);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES* security);
BOOL DeleteFileA(LPCSTR path);
HFILE _lcreat(LPCSTR path, int attributes);
UINT _lwrite(HFILE file, LPCCH bytes, UINT size);
HFILE _lclose(HFILE file);
