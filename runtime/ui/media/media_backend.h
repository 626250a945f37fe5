// One way of playing media. The media layer tries its backends in order;
// a device number means something only to the backend that gave it out.
#pragma once

#include <cstdint>

struct MediaSize {
    std::int32_t width, height;
};

struct MediaBackend {
    bool (*available)();
    // False when the backend cannot open the file.
    bool (*open_file)(const char* path, std::uint32_t& device);
    // From `from_ms`, or with a negative one from where it stands (from the
    // start once it has played to its end).
    void (*play)(std::uint32_t device, bool looping, std::int32_t from_ms);
    // Stays where it stopped.
    void (*stop)(std::uint32_t device);
    void (*set_muted)(std::uint32_t device, bool muted);
    bool (*playing)(std::uint32_t device);
    std::int32_t (*length_ms)(std::uint32_t device);
    std::int32_t (*position_ms)(std::uint32_t device);
    MediaSize (*natural_size)(std::uint32_t device);  // 0 x 0 for sound only
    // Lets go of the device and every handle it holds on its file.
    void (*close)(std::uint32_t device);
    void (*shutdown)();
};

// The movie library loaded at run time; see movie_library.h.
const MediaBackend& movie_library_backend();
// The system's multimedia command interface.
const MediaBackend& system_media_backend();
