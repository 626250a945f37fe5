// Movie: one piece of media, opened from a file (or a project item). The
// Movie keeps where it came from, so that a player can let go of the
// device and every handle on the file and open it again later.
#pragma once

#include <cstdint>

#include "media_layer.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

struct MovieObject {
    RuntimeObject header;
    MediaHandle media;            // 0 while closed
    RuntimeString* path;          // one reference; nil for a project movie
    std::int32_t project_item;    // its media-table item; 0 for files
    std::int16_t width, height;   // natural size, as last opened; 0 for sound only
};
static_assert(sizeof(MovieObject) == 40, "the size of the built-in class");

// The Movie's object, null for nil or anything that is not a Movie.
MovieObject* movie_of(RuntimeObject* object);
// A new Movie for the file, open; nil when no backend opens it.
RuntimeObject* movie_open_file(RuntimeString* path);
// A new closed Movie of the project's media-table item `item`.
RuntimeObject* movie_for_project_item(std::int32_t item);
// The open device, opening it again when closed; 0 when it cannot be had.
MediaHandle movie_media(MovieObject* movie);
// Closes the device and its file; the Movie stays and can open again.
void movie_close(MovieObject* movie);

// The class's destructor.
void movie_release(RuntimeObject* movie, RuntimeClass* cls);
