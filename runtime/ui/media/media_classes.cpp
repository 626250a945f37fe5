#include "media_classes.h"

#include "movie.h"
#include "movie_player.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "sound.h"
#include "startup/project_description.h"

namespace {

// Item kind 3: a media-table item number; 0 names no movie.
RuntimeObject* project_movie(std::uint32_t id) {
    return id > 0 && id <= 0x7FFFFFFF ? movie_for_project_item(static_cast<std::int32_t>(id)) : nullptr;
}

bool g_described = false;

}  // namespace

void media_classes_describe() {
    if (g_described) return;
    g_described = true;
    builtin_class(BuiltinClass::Movie)->destructor = movie_release;
    builtin_class(BuiltinClass::Sound)->destructor = sound_release;
    movie_player_describe();
    project_item_factories().movie = project_movie;
    project_sounds_install();
}
