// FolderItem.Type: the project file type whose extensions fit the path best.
#include "file_entry_points.h"
#include "file_types.h"
#include "folder_item.h"
#include "path_parts.h"

namespace {

// 2 when one of the ";"-separated extensions ends the path (an empty one
// ends every path), else 1; a type without extensions scores 1.
int score(const FileType& type, Text path) {
    const Text list = text_of(type.extensions);
    if (list.length == 0) return 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.length; ++i) {
        if (i < list.length && list.bytes[i] != ';') continue;
        if (text_ends_with_ignoring_case(path, {list.bytes + start, i - start})) return 2;
        start = i + 1;
    }
    return 1;
}

}  // namespace

extern "C" RuntimeString* fileTypeGetter(RuntimeObject* item, std::int32_t) {
    if (!item) return nullptr;
    const Text path = text_of(folder_item_path(item));
    const FileType* best = nullptr;
    int best_score = 0;
    for (std::size_t i = 0; i < file_type_count(); ++i) {
        const FileType* type = file_type_at(i);
        const int s = score(*type, path);
        if (s > best_score) {
            best = type;
            best_score = s;
        }
    }
    if (!best) return nullptr;
    RuntimeLockString(best->name);
    return best->name;
}
