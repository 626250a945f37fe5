// The runtime objects of the three stream classes. Each owns its file
// stream until Close or its final release; null means closed.
#pragma once

#include <cstdint>

#include "file_stream.h"
#include "objects/objects.h"

struct BinaryStreamObject {
    RuntimeObject header;
    FileStream* stream;
    std::uint8_t little_endian;
};
static_assert(sizeof(BinaryStreamObject) == 32, "the size of the built-in class");

constexpr std::uint32_t kTextBufferSize = 1024;

struct TextInputStreamObject {
    RuntimeObject header;
    FileStream* stream;
    std::uint8_t buffer[kTextBufferSize];
    std::uint32_t position;  // next unread byte of the buffer
    std::uint32_t valid;     // bytes in the buffer
};
static_assert(sizeof(TextInputStreamObject) == 1060, "the size of the built-in class");

struct TextOutputStreamObject {
    RuntimeObject header;
    FileStream* stream;
    RuntimeString* delimiter;
};
static_assert(sizeof(TextOutputStreamObject) == 32, "the size of the built-in class");

// The classes' destructors: they close a stream still open.
void binary_stream_release(RuntimeObject* object, RuntimeClass* cls);
void text_input_stream_release(RuntimeObject* object, RuntimeClass* cls);
void text_output_stream_release(RuntimeObject* object, RuntimeClass* cls);

// New objects around an opened stream; nil (and nothing owned) for null.
RuntimeObject* binary_stream_new(FileStream* stream);
RuntimeObject* text_input_stream_new(FileStream* stream);
RuntimeObject* text_output_stream_new(FileStream* stream);
