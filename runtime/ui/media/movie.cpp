#include "movie.h"

#include "objects/builtin_classes.h"

namespace {

void remember_size(MovieObject* movie) {
    const MediaSize size = media_natural_size(movie->media);
    movie->width = static_cast<std::int16_t>(size.width);
    movie->height = static_cast<std::int16_t>(size.height);
}

MovieObject* new_movie() {
    return reinterpret_cast<MovieObject*>(object_new(builtin_class(BuiltinClass::Movie)));
}

}  // namespace

MovieObject* movie_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(BuiltinClass::Movie))) return nullptr;
    return reinterpret_cast<MovieObject*>(object);
}

RuntimeObject* movie_open_file(RuntimeString* path) {
    const MediaHandle media = media_open_file(string_cstr(path));
    if (!media) return nullptr;
    MovieObject* movie = new_movie();
    movie->media = media;
    RuntimeLockString(path);
    movie->path = path;
    remember_size(movie);
    return &movie->header;
}

RuntimeObject* movie_for_project_item(std::int32_t item) {
    MovieObject* movie = new_movie();
    movie->project_item = item;
    return &movie->header;
}

// A project movie (no path) would be read from the executable's media
// table; our executables carry none, so it never opens.
MediaHandle movie_media(MovieObject* movie) {
    if (!movie->media && movie->path) {
        movie->media = media_open_file(string_cstr(movie->path));
        if (movie->media) remember_size(movie);
    }
    return movie->media;
}

void movie_close(MovieObject* movie) {
    const MediaHandle media = movie->media;
    movie->media = 0;
    media_close(media);
}

void movie_release(RuntimeObject* object, RuntimeClass*) {
    auto* movie = reinterpret_cast<MovieObject*>(object);
    movie_close(movie);
    RuntimeUnlockString(movie->path);
    movie->path = nullptr;
}
