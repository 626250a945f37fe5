// The shell calls of the plugin installer's per-user folder. The host has
// no shell: asking for its allocator fails, as it may on Windows.
#pragma once

#include "windows.h"

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
struct IMalloc {
    void Free(void*) {}
    unsigned long Release() { return 0; }
};
#define CSIDL_LOCAL_APPDATA 0x001c

HRESULT SHGetMalloc(IMalloc** allocator);
HRESULT SHGetSpecialFolderLocation(void* owner, int folder, LPITEMIDLIST* list);
BOOL SHGetPathFromIDListA(LPITEMIDLIST list, LPSTR path);
