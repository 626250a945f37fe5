// Movies as application code and plugins see them.
#include "folder_item.h"
#include "media_entry_points.h"
#include "movie.h"
#include "objects/builtin_classes.h"

namespace {

bool is_folder_item(RuntimeObject* item) {
    return item && object_isa(item, builtin_class(BuiltinClass::FolderItem));
}

}  // namespace

extern "C" {

RuntimeObject* FolderItemOpenMovie(RuntimeObject* item) {
    if (!is_folder_item(item)) return nullptr;
    return movie_open_file(folder_item_path(item));
}

// Neither backend opens URLs: the multimedia command interface takes
// files only.
RuntimeObject* openURLMovie(RuntimeString*) { return nullptr; }

// Without a display matrix the box and the natural size are the same.
std::int32_t movieWidthGetter(RuntimeObject* movie, std::int32_t) {
    MovieObject* m = movie_of(movie);
    return m ? m->width : 0;
}

std::int32_t movieHeightGetter(RuntimeObject* movie, std::int32_t) {
    MovieObject* m = movie_of(movie);
    return m ? m->height : 0;
}

std::int32_t movieBaseWidthGetter(RuntimeObject* movie, std::int32_t selector) {
    return movieWidthGetter(movie, selector);
}

std::int32_t movieBaseHeightGetter(RuntimeObject* movie, std::int32_t selector) {
    return movieHeightGetter(movie, selector);
}

std::uint32_t getMovieMovie(RuntimeObject* movie) {
    MovieObject* m = movie_of(movie);
    return m ? movie_media(m) : 0;
}

std::int32_t TAVOenterMovies() { return media_can_play() ? 1 : 0; }

}  // extern "C"
