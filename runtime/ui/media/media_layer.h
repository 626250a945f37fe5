// The media layer: opens files through the first backend that takes them
// and keeps every open device, so that shutdown can close them all. A
// handle of 0 is no device; operations on it do nothing.
#pragma once

#include <cstdint>

#include "media_backend.h"

using MediaHandle = std::uint32_t;

// True when some backend can play.
bool media_can_play();
// 0 when no backend opens it, or after shutdown.
MediaHandle media_open_file(const char* path);

void media_play(MediaHandle media, bool looping);
void media_stop(MediaHandle media);
// Moves to `ms` (negative: the start); a playing movie plays on from there.
void media_seek(MediaHandle media, std::int32_t ms);
void media_set_muted(MediaHandle media, bool muted);
bool media_playing(MediaHandle media);
std::int32_t media_length_ms(MediaHandle media);
std::int32_t media_position_ms(MediaHandle media);
MediaSize media_natural_size(MediaHandle media);
// Stops it and closes the device and its file; the handle is gone.
void media_close(MediaHandle media);
// The number of devices open now.
std::uint32_t media_open_count();

// Stops and closes every device and releases the movie library; nothing
// opens afterwards.
void media_shutdown();
