// TextInputStream reads through its 1,024-byte buffer; TextOutputStream
// writes every line straight to the file.
#include <cstdint>
#include <cstring>

#include "objects/builtin_classes.h"
#include "file_class_members.h"
#include "file_entry_points.h"
#include "objects/memory.h"
#include "stream_objects.h"

namespace {

TextInputStreamObject* input(RuntimeObject* object) { return reinterpret_cast<TextInputStreamObject*>(object); }
TextOutputStreamObject* output(RuntimeObject* object) { return reinterpret_cast<TextOutputStreamObject*>(object); }

void close_output(RuntimeObject* object) {
    TextOutputStreamObject* t = output(object);
    FileStream* stream = t->stream;
    t->stream = nullptr;
    file_stream_destroy(stream);
}

// Refills the buffer; false when the stream delivers nothing more.
bool refill(TextInputStreamObject* t) {
    std::uint32_t got = 0;
    t->stream->read(t->buffer, kTextBufferSize, &got);
    t->position = 0;
    t->valid = got;
    return got != 0;
}

// Text collected from several buffers before it becomes a string.
struct Collected {
    std::uint8_t* bytes;
    std::uint32_t length, capacity;
};

void append(Collected* c, const std::uint8_t* bytes, std::uint32_t n) {
    if (n == 0) return;
    if (c->length + n > c->capacity) {
        std::uint32_t capacity = c->capacity ? c->capacity : kTextBufferSize;
        while (capacity < c->length + n) capacity *= 2;
        auto* grown = static_cast<std::uint8_t*>(runtime_alloc(capacity));
        if (c->length) std::memcpy(grown, c->bytes, c->length);
        runtime_free(c->bytes, c->capacity);
        c->bytes = grown;
        c->capacity = capacity;
    }
    std::memcpy(c->bytes + c->length, bytes, n);
    c->length += n;
}

RuntimeString* finish(Collected* c) {
    RuntimeString* s = string_from_bytes(c->bytes, c->length);
    runtime_free(c->bytes, c->capacity);
    return s;
}

void write_line(RuntimeObject* object, RuntimeString* line, bool with_delimiter) {
    FileStream* stream = object ? output(object)->stream : nullptr;
    if (!stream) return;
    if (string_length(line)) stream->write(string_data(line), string_length(line));
    if (!with_delimiter) return;
    RuntimeString* delimiter = output(object)->delimiter;
    if (string_length(delimiter)) stream->write(string_data(delimiter), string_length(delimiter));
    else stream->write("\r\n", 2);
}

}  // namespace

void text_input_stream_release(RuntimeObject* object, RuntimeClass*) {
    TextInputStreamObject* t = input(object);
    FileStream* stream = t->stream;
    t->stream = nullptr;
    file_stream_destroy(stream);
}

void text_output_stream_release(RuntimeObject* object, RuntimeClass*) {
    close_output(object);
    RuntimeString* delimiter = output(object)->delimiter;
    output(object)->delimiter = nullptr;
    RuntimeUnlockString(delimiter);
}

RuntimeObject* text_input_stream_new(FileStream* stream) {
    if (!stream) return nullptr;
    file_classes_describe();
    RuntimeObject* object = object_new(builtin_class(BuiltinClass::TextInputStream));
    input(object)->stream = stream;
    return object;
}

RuntimeObject* text_output_stream_new(FileStream* stream) {
    if (!stream) return nullptr;
    file_classes_describe();
    RuntimeObject* object = object_new(builtin_class(BuiltinClass::TextOutputStream));
    output(object)->stream = stream;
    return object;
}

extern "C" {

RuntimeString* TextInputStreamReadLine(RuntimeObject* object) {
    TextInputStreamObject* t = object ? input(object) : nullptr;
    if (!t || !t->stream) return nullptr;
    Collected line{};
    for (;;) {
        const std::uint32_t start = t->position;
        while (t->position < t->valid && t->buffer[t->position] != '\r' && t->buffer[t->position] != '\n')
            ++t->position;
        append(&line, t->buffer + start, t->position - start);
        if (t->position < t->valid) break;
        if (!refill(t)) return finish(&line);
    }
    const bool carriage_return = t->buffer[t->position++] == '\r';
    if (carriage_return && (t->position < t->valid || refill(t)) && t->buffer[t->position] == '\n') ++t->position;
    return finish(&line);
}

RuntimeString* TextInputStreamReadAll(RuntimeObject* object) {
    TextInputStreamObject* t = object ? input(object) : nullptr;
    if (!t || !t->stream) return nullptr;
    Collected all{};
    do append(&all, t->buffer + t->position, t->valid - t->position);
    while (refill(t));
    return finish(&all);
}

bool TextInputStreamEOF(RuntimeObject* object) {
    TextInputStreamObject* t = object ? input(object) : nullptr;
    return t && t->stream && t->position >= t->valid && t->stream->end_of_file();
}

void TextInputStreamClose(RuntimeObject* object) {
    if (object) text_input_stream_release(object, nullptr);
}

void TextOutputStreamWriteLine(RuntimeObject* object, RuntimeString* line) { write_line(object, line, true); }

void TextOutputStreamWrite(RuntimeObject* object, RuntimeString* line) { write_line(object, line, false); }

void TextOutputStreamClose(RuntimeObject* object) {
    if (object) close_output(object);
}

}  // extern "C"
