// CreationDate and ModificationDate: read from a lookup, written through an
// open handle that changes only the one time.
#include <windows.h>

#include "date_value.h"
#include "file_entry_points.h"
#include "file_lookup.h"
#include "folder_item.h"

namespace {

enum class Which { Creation, Modification };

RuntimeObject* get_date(RuntimeObject* item, Which which) {
    WIN32_FIND_DATAA found;
    if (!item || !path_lookup(text_of(folder_item_path(item)), &found)) return nullptr;
    FILETIME local;
    FileTimeToLocalFileTime(which == Which::Creation ? &found.ftCreationTime : &found.ftLastWriteTime, &local);
    return date_from_local_file_time(local);
}

void set_date(RuntimeObject* item, RuntimeObject* date, Which which) {
    FILETIME local, utc;
    char path[kPathBufferSize];
    if (!item || !date_local_file_time(date, &local)) return;
    if (!path_to_buffer(text_of(folder_item_path(item)), path)) return;
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFileTime(file, which == Which::Creation ? &utc : nullptr, nullptr, which == Which::Modification ? &utc : nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" {

RuntimeObject* folderGetCreation(RuntimeObject* item, std::int32_t) { return get_date(item, Which::Creation); }
RuntimeObject* folderGetModified(RuntimeObject* item, std::int32_t) { return get_date(item, Which::Modification); }
void folderSetCreation(RuntimeObject* item, std::int32_t, RuntimeObject* date) {
    set_date(item, date, Which::Creation);
}
void folderSetModified(RuntimeObject* item, std::int32_t, RuntimeObject* date) {
    set_date(item, date, Which::Modification);
}

}  // extern "C"
