// The FolderItem methods that open streams: nil when the file cannot be
// opened; opening never creates a file, creating cuts an existing one.
#include <cstdint>

#include "file_entry_points.h"
#include "folder_item.h"
#include "stream_objects.h"

namespace {

Text path_of(RuntimeObject* item) { return text_of(folder_item_path(item)); }

}  // namespace

extern "C" {

RuntimeObject* FolderItemOpenBinaryFile(RuntimeObject* item, std::int32_t read_write) {
    return item ? binary_stream_new(file_stream_open(path_of(item), boolean_argument(read_write))) : nullptr;
}

// The type is a Macintosh notion with no use here.
RuntimeObject* FolderItemCreateBinaryFile(RuntimeObject* item, RuntimeString*) {
    return item ? binary_stream_new(file_stream_create(path_of(item))) : nullptr;
}

RuntimeObject* FolderItemOpenTextFile(RuntimeObject* item) {
    return item ? text_input_stream_new(file_stream_open(path_of(item), false)) : nullptr;
}

RuntimeObject* FolderItemCreateTextFile(RuntimeObject* item) {
    return item ? text_output_stream_new(file_stream_create(path_of(item))) : nullptr;
}

RuntimeObject* FolderItemAppendTextFile(RuntimeObject* item) {
    if (!item) return nullptr;
    FileStream* stream = file_stream_open(path_of(item), true);
    if (!stream) return FolderItemCreateTextFile(item);
    stream->set_position(stream->length());
    return text_output_stream_new(stream);
}

}  // extern "C"
