// BinaryStream: typed values straight to and from the file, one system call
// per value, big-endian unless LittleEndian is set.
#include <cstdint>
#include <cstring>

#include "objects/builtin_classes.h"
#include "file_class_members.h"
#include "file_entry_points.h"
#include "stream_objects.h"

namespace {

BinaryStreamObject* fields(RuntimeObject* object) { return reinterpret_cast<BinaryStreamObject*>(object); }

FileStream* open_stream(RuntimeObject* object) { return object ? fields(object)->stream : nullptr; }

// File order and processor order differ unless LittleEndian is set.
void to_or_from_file_order(RuntimeObject* object, std::uint8_t* bytes, std::uint32_t n) {
    if (fields(object)->little_endian) return;
    for (std::uint32_t i = 0; i < n / 2; ++i) {
        const std::uint8_t t = bytes[i];
        bytes[i] = bytes[n - 1 - i];
        bytes[n - 1 - i] = t;
    }
}

// Reads exactly n bytes into `value`; false (bytes that came stay consumed)
// when fewer arrive or the stream is closed.
bool read_value(RuntimeObject* object, void* value, std::uint32_t n) {
    FileStream* stream = open_stream(object);
    if (!stream) return false;
    std::uint32_t got = 0;
    if (!stream->read(value, n, &got) || got != n) return false;
    to_or_from_file_order(object, static_cast<std::uint8_t*>(value), n);
    return true;
}

void write_value(RuntimeObject* object, const void* value, std::uint32_t n) {
    FileStream* stream = open_stream(object);
    if (!stream) return;
    std::uint8_t bytes[8];
    std::memcpy(bytes, value, n);
    to_or_from_file_order(object, bytes, n);
    stream->write(bytes, n);
}

// Reads beyond this ask the file how much is left before they take a new
// buffer, so that a huge count cannot demand a huge one.
constexpr std::int32_t kUncheckedReadSize = 65536;
// Chunks above this are kept by the stream for reuse.
constexpr std::uint32_t kUnkeptReadSize = 4096;

}  // namespace

void binary_stream_release(RuntimeObject* object, RuntimeClass*) {
    BinaryStreamObject* b = fields(object);
    FileStream* stream = b->stream;
    b->stream = nullptr;
    file_stream_destroy(stream);
}

RuntimeObject* binary_stream_new(FileStream* stream) {
    if (!stream) return nullptr;
    file_classes_describe();
    RuntimeObject* object = object_new(builtin_class(BuiltinClass::BinaryStream));
    fields(object)->stream = stream;
    return object;
}

extern "C" {

bool BinaryStreamEOF(RuntimeObject* object) {
    FileStream* stream = open_stream(object);
    return !stream || stream->end_of_file();
}

std::int32_t BinaryStreamGetLength(RuntimeObject* object) {
    FileStream* stream = open_stream(object);
    return stream ? stream->length() : 0;
}

void BinaryStreamSetLength(RuntimeObject* object, std::int32_t length) {
    if (FileStream* stream = open_stream(object)) stream->set_length(length);
}

std::int32_t BinaryStreamGetPosition(RuntimeObject* object) {
    FileStream* stream = open_stream(object);
    return stream ? stream->position() : 0;
}

void BinaryStreamSetPosition(RuntimeObject* object, std::int32_t position) {
    if (FileStream* stream = open_stream(object)) stream->set_position(position);
}

std::int32_t BinaryStreamReadByte(RuntimeObject* object) {
    std::uint8_t v;
    return read_value(object, &v, 1) ? v : 0;
}

std::int32_t BinaryStreamReadShort(RuntimeObject* object) {
    std::int16_t v;
    return read_value(object, &v, 2) ? v : 0;
}

std::int32_t BinaryStreamReadLong(RuntimeObject* object) {
    std::int32_t v;
    return read_value(object, &v, 4) ? v : 0;
}

double BinaryStreamReadFloat(RuntimeObject* object) {
    float v;
    return read_value(object, &v, 4) ? v : 0.0;
}

double BinaryStreamReadDouble(RuntimeObject* object) {
    double v;
    return read_value(object, &v, 8) ? v : 0.0;
}

void BinaryStreamWriteByte(RuntimeObject* object, std::int32_t value) {
    const std::uint8_t v = static_cast<std::uint8_t>(value);
    write_value(object, &v, 1);
}

void BinaryStreamWriteShort(RuntimeObject* object, std::int32_t value) {
    const std::int16_t v = static_cast<std::int16_t>(value);
    write_value(object, &v, 2);
}

void BinaryStreamWriteLong(RuntimeObject* object, std::int32_t value) { write_value(object, &value, 4); }

void BinaryStreamWriteFloat(RuntimeObject* object, double value) {
    const float v = static_cast<float>(value);
    write_value(object, &v, 4);
}

void BinaryStreamWriteDouble(RuntimeObject* object, double value) { write_value(object, &value, 8); }

RuntimeString* BinaryStreamRead(RuntimeObject* object, std::int32_t count) {
    FileStream* stream = open_stream(object);
    if (!stream || count <= 0) return nullptr;
    const std::uint32_t n = static_cast<std::uint32_t>(count);
    RuntimeString* s = n > kUnkeptReadSize ? stream->reusable_chunk(n) : nullptr;
    if (!s) {
        if (count > kUncheckedReadSize) {
            const std::int32_t left = stream->length() - stream->position();
            if (left < count) count = left > 0 ? left : 1;
        }
        s = string_allocate(static_cast<std::uint32_t>(count));
    }
    std::uint32_t got = 0;
    stream->read(string_bytes(s), string_length(s), &got);
    if (got == string_length(s)) {
        if (got > kUnkeptReadSize) stream->keep_chunk(s);
        return s;
    }
    RuntimeString* shorter = string_from_bytes(string_bytes(s), got);
    RuntimeUnlockString(s);
    return shorter;
}

void BinaryStreamWrite(RuntimeObject* object, RuntimeString* data) {
    FileStream* stream = open_stream(object);
    if (stream && string_length(data)) stream->write(string_data(data), string_length(data));
}

RuntimeString* BinaryStreamReadPString(RuntimeObject* object) {
    FileStream* stream = open_stream(object);
    std::uint8_t n = 0;
    std::uint32_t got = 0;
    if (!stream || !stream->read(&n, 1, &got) || got != 1 || n == 0) return nullptr;
    std::uint8_t bytes[255];
    if (!stream->read(bytes, n, &got) || got != n) return nullptr;
    return string_from_bytes(bytes, n);
}

void BinaryStreamWritePString(RuntimeObject* object, RuntimeString* value) {
    FileStream* stream = open_stream(object);
    if (!stream) return;
    const std::uint32_t n = string_length(value) < 255 ? string_length(value) : 255;
    const std::uint8_t length_byte = static_cast<std::uint8_t>(n);
    stream->write(&length_byte, 1);
    if (n) stream->write(string_data(value), n);
}

void BinaryStreamClose(RuntimeObject* object) {
    if (object) binary_stream_release(object, nullptr);
}

}  // extern "C"
