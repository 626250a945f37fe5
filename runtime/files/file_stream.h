// The file stream under the stream classes: a file handle of the _lopen
// family with the nine operations, in this slot order.
#pragma once

#include <windows.h>

#include <cstdint>

#include "strings/runtime_string.h"
#include "strings/string_text.h"

class FileStream {
public:
    // Closes the file and, with free_memory, gives the stream's memory back.
    virtual void destroy(bool free_memory);
    // Reports zero bytes read when the read fails.
    virtual bool read(void* buffer, std::uint32_t count, std::uint32_t* count_read);
    virtual void write(const void* buffer, std::uint32_t count);
    // A temporary file is deleted here.
    virtual void close();
    virtual bool end_of_file();
    virtual void set_position(std::int32_t offset);
    virtual std::int32_t length();
    // Cuts or extends the file; the position stays.
    virtual void set_length(std::int32_t new_length);
    virtual std::int32_t position();

    // Chunk strings that reads handed out are kept, so that once their
    // holders let go the next read of the same size fills one again: a
    // fresh large block per chunk costs more than copying it.
    // A kept string of exactly n bytes that nobody else holds, with a new
    // reference for the caller; null when there is none.
    RuntimeString* reusable_chunk(std::uint32_t n);
    void keep_chunk(RuntimeString* chunk);

    // A stream in runtime memory for an opened handle; null for HFILE_ERROR.
    // With a path (its reference taken over) the file goes on close.
    static FileStream* adopt(HFILE handle, RuntimeString* delete_on_close_path);

private:
    FileStream(HFILE handle, RuntimeString* delete_on_close_path);
    ~FileStream() = default;

    HFILE handle_;
    RuntimeString* delete_on_close_path_;
    RuntimeString* kept_chunks_[2];
};

// Openers: null when the file cannot be opened. Open never creates a file;
// create makes it or cuts it to length 0.
FileStream* file_stream_open(Text path, bool read_write);
FileStream* file_stream_create(Text path);
// A new file in the temporary-files directory, deleted on close.
FileStream* file_stream_create_temporary();
// Closes and frees; null is ignored.
void file_stream_destroy(FileStream* stream);
