#include "file_stream.h"

#include <new>

#include "file_lookup.h"
#include "objects/memory.h"

FileStream::FileStream(HFILE handle, RuntimeString* delete_on_close_path)
    : handle_(handle), delete_on_close_path_(delete_on_close_path), kept_chunks_{nullptr, nullptr} {}

FileStream* FileStream::adopt(HFILE handle, RuntimeString* delete_on_close_path) {
    if (handle == HFILE_ERROR) {
        RuntimeUnlockString(delete_on_close_path);
        return nullptr;
    }
    return new (runtime_alloc(sizeof(FileStream))) FileStream(handle, delete_on_close_path);
}

void FileStream::destroy(bool free_memory) {
    close();
    RuntimeUnlockString(delete_on_close_path_);
    delete_on_close_path_ = nullptr;
    for (RuntimeString*& chunk : kept_chunks_) {
        RuntimeUnlockString(chunk);
        chunk = nullptr;
    }
    this->~FileStream();
    if (free_memory) runtime_free(this, sizeof(FileStream));
}

bool FileStream::read(void* buffer, std::uint32_t count, std::uint32_t* count_read) {
    const UINT n = handle_ == HFILE_ERROR ? HFILE_ERROR : _lread(handle_, buffer, count);
    if (n == static_cast<UINT>(HFILE_ERROR)) {
        *count_read = 0;
        return false;
    }
    *count_read = n;
    return true;
}

void FileStream::write(const void* buffer, std::uint32_t count) {
    // _lwrite of nothing cuts the file: only set_length means that.
    if (handle_ != HFILE_ERROR && count) _lwrite(handle_, static_cast<LPCCH>(buffer), count);
}

void FileStream::close() {
    if (handle_ == HFILE_ERROR) return;
    _lclose(handle_);
    handle_ = HFILE_ERROR;
    if (delete_on_close_path_) DeleteFileA(string_cstr(delete_on_close_path_));
}

bool FileStream::end_of_file() { return position() >= length(); }

void FileStream::set_position(std::int32_t offset) {
    if (handle_ != HFILE_ERROR) _llseek(handle_, offset, FILE_BEGIN);
}

std::int32_t FileStream::position() {
    return handle_ == HFILE_ERROR ? 0 : _llseek(handle_, 0, FILE_CURRENT);
}

std::int32_t FileStream::length() {
    if (handle_ == HFILE_ERROR) return 0;
    const LONG saved = _llseek(handle_, 0, FILE_CURRENT);
    const LONG end = _llseek(handle_, 0, FILE_END);
    _llseek(handle_, saved, FILE_BEGIN);
    return end;
}

void FileStream::set_length(std::int32_t new_length) {
    if (handle_ == HFILE_ERROR) return;
    const LONG saved = _llseek(handle_, 0, FILE_CURRENT);
    _llseek(handle_, new_length, FILE_BEGIN);
    _lwrite(handle_, "", 0);
    _llseek(handle_, saved, FILE_BEGIN);
}

RuntimeString* FileStream::reusable_chunk(std::uint32_t n) {
    for (RuntimeString* chunk : kept_chunks_) {
        // One reference, ours: no holder can see the bytes change.
        if (chunk && chunk->refs == 1 && chunk->length == n && chunk->size == n + 2) {
            chunk->text[0] = static_cast<std::uint8_t>(n < 255 ? n : 255);
            chunk->text[n + 1] = 0;
            RuntimeLockString(chunk);
            return chunk;
        }
    }
    return nullptr;
}

void FileStream::keep_chunk(RuntimeString* chunk) {
    if (chunk == kept_chunks_[0] || chunk == kept_chunks_[1]) return;
    RuntimeLockString(chunk);
    RuntimeUnlockString(kept_chunks_[1]);
    kept_chunks_[1] = kept_chunks_[0];
    kept_chunks_[0] = chunk;
}

FileStream* file_stream_open(Text path, bool read_write) {
    char buffer[kPathBufferSize];
    if (!path_to_buffer(path, buffer)) return nullptr;
    return FileStream::adopt(_lopen(buffer, read_write ? OF_READWRITE : OF_READ), nullptr);
}

FileStream* file_stream_create(Text path) {
    char buffer[kPathBufferSize];
    if (!path_to_buffer(path, buffer)) return nullptr;
    // A read-only file is never cut, not even where the system would let
    // an administrator do it.
    const DWORD attributes = GetFileAttributesA(buffer);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return nullptr;
    return FileStream::adopt(_lcreat(buffer, 0), nullptr);
}

FileStream* file_stream_create_temporary() {
    char directory[kPathBufferSize], path[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof directory, directory);
    if (n == 0 || n >= sizeof directory || !GetTempFileNameA(directory, "tvt", 0, path)) return nullptr;
    FileStream* stream = FileStream::adopt(_lcreat(path, 0), string_from_cstr(path));
    if (!stream) DeleteFileA(path);
    return stream;
}

void file_stream_destroy(FileStream* stream) {
    if (stream) stream->destroy(true);
}
