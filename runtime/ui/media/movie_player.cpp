#include "movie_player.h"

#include "descriptions/field_accessors.h"
#include "descriptions/property_tables.h"
#include "media_entry_points.h"
#include "movie.h"
#include "movie_controller.h"
#include "movie_player_pane.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "panes/binding_interfaces.h"

#include <cstddef>
#include <cstring>

namespace {

using B = BuiltinClass;
constexpr BuiltinClass kValue = B::Count;

MoviePlayerObject* player_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(B::MoviePlayer))) return nullptr;
    return reinterpret_cast<MoviePlayerObject*>(object);
}

MovieObject* stored_movie(MoviePlayerObject* player) { return player ? movie_of(player->movie) : nullptr; }

bool loops(const MoviePlayerObject* player) { return player->looping || player->palindrome; }

// A playing movie takes a changed loop choice from where it is.
void replay_if_playing(MoviePlayerObject* player) {
    MovieObject* movie = stored_movie(player);
    if (movie && media_playing(movie->media)) media_play(movie->media, loops(player));
}

// The action parts of bindings: the player they act on and what they do.
struct PlayerAction {
    RuntimeObject header;
    RuntimeObject* player;  // one reference
    std::int32_t stops;
};

void perform_action(RuntimeObject* object) {
    auto* action = reinterpret_cast<PlayerAction*>(object);
    if (action->stops) RuntimeMediaStop(action->player);
    else RuntimeMediaPlay(action->player);
}

void action_release(RuntimeObject* object, RuntimeClass*) {
    auto* action = reinterpret_cast<PlayerAction*>(object);
    RuntimeUnlockObject(action->player);
    action->player = nullptr;
}

void player_release(RuntimeObject* object, RuntimeClass*) {
    auto* player = reinterpret_cast<MoviePlayerObject*>(object);
    if (MovieObject* movie = stored_movie(player)) movie_close(movie);
    RuntimeUnlockObject(player->movie);
    player->movie = nullptr;
}

void player_construct(RuntimeObject* object, RuntimeClass*) {
    auto* player = reinterpret_cast<MoviePlayerObject*>(object);
    player->controller = 2;
    player->border = 1;
    player->speaker = 1;
    player->has_step = 1;
}

#define FIELD(member) static_cast<std::uint32_t>(offsetof(MoviePlayerObject, member))

const PropertyRow kPlayerRows[] = {
    {0, "Controller", &kIntegerType, kValue, field32_getter, field32_setter, FIELD(controller)},
    {0, "Looping", &kBooleanType, kValue, field8_getter, as_setter(mediaControllerLoopingSetter), FIELD(looping)},
    {0, "Palindrome", &kBooleanType, kValue, field8_getter, as_setter(mediaControllerPalindromeSetter),
     FIELD(palindrome)},
    {0, "AutoResize", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(auto_resize)},
    {0, "Border", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(border)},
    {0, "Speaker", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(speaker)},
    {0, "HasStep", &kBooleanType, kValue, field8_getter, field8_setter, FIELD(has_step)},
    {0, "Movie", nullptr, B::Movie, as_getter(objGetter), as_setter(mediaMovieSetter), FIELD(movie)},
    {0, "ControllerWidth", &kIntegerType, kValue, as_getter(mediaControllerWidthGetter), nullptr, 0},
    {0, "ControllerHeight", &kIntegerType, kValue, as_getter(mediaControllerHeightGetter), nullptr, 0},
    {0, "QTMovieController", &kIntegerType, kValue, as_getter(mediaMovieControllerGetter), nullptr, 0},
};

#undef FIELD

bool named(const RuntimeString* name, const char* text) {
    return name && name_compare(string_cstr(name), string_length(name), text, std::strlen(text)) == 0;
}

RuntimeObject* new_action(RuntimeObject* player, bool stops) {
    RuntimeObject* object = object_new(builtin_class(B::MoviePlayerAction));
    auto* action = reinterpret_cast<PlayerAction*>(object);
    action->player = RuntimeLockObject(player);
    action->stops = stops;
    return object;
}

}  // namespace

void movie_player_describe() {
    RuntimeClass* player = builtin_class(B::MoviePlayer);
    property_table_install(B::MoviePlayer, kPlayerRows);
    class_add_handler(player, string_from_cstr("CreatePane"), 0, reinterpret_cast<void*>(movie_player_create_pane));
    player->constructor = player_construct;
    player->destructor = player_release;

    // The part objects carry their player, beyond the bare object header.
    RuntimeClass* action = builtin_class(B::MoviePlayerAction);
    action->instance_size = sizeof(PlayerAction);
    action->destructor = action_release;
    void* const perform[] = {reinterpret_cast<void*>(perform_action)};
    builtin_class_implements(action, "actionNotificationReceiver", perform);
    void* const bound_part[] = {reinterpret_cast<void*>(mediaGetBoundPart)};
    builtin_class_implements(player, "bindingPartInterface", bound_part);
}

extern "C" {

// The old movie lets go of its device and file before the new one is
// stored and opened; the same movie again is closed and opened anew.
void mediaMovieSetter(RuntimeObject* object, std::int32_t, RuntimeObject* movie) {
    MoviePlayerObject* player = player_of(object);
    if (!player) return;
    movie_player_detach(player);
    if (MovieObject* old = stored_movie(player)) movie_close(old);
    RuntimeObject* replaced = player->movie;
    player->movie = movie_of(movie) ? RuntimeLockObject(movie) : nullptr;
    RuntimeUnlockObject(replaced);
    if (MovieObject* attached = stored_movie(player)) movie_media(attached);
    movie_player_attach(player);
}

void mediaControllerLoopingSetter(RuntimeObject* object, std::int32_t, std::int32_t looping) {
    MoviePlayerObject* player = player_of(object);
    if (!player) return;
    player->looping = (looping & 0xFF) != 0;
    replay_if_playing(player);
}

void mediaControllerPalindromeSetter(RuntimeObject* object, std::int32_t, std::int32_t palindrome) {
    MoviePlayerObject* player = player_of(object);
    if (!player) return;
    player->palindrome = (palindrome & 0xFF) != 0;
    replay_if_playing(player);
}

// The controller belongs to the player's pane; without one there are no
// bounds to measure.
std::int32_t mediaControllerWidthGetter(RuntimeObject* object, std::int32_t) {
    MoviePlayerObject* player = player_of(object);
    const MovieController* controller = player ? movie_player_controller(player) : nullptr;
    if (!controller) return 0;
    const RECT bounds = controller_bounds(controller);
    return bounds.right - bounds.left;
}

std::int32_t mediaControllerHeightGetter(RuntimeObject* object, std::int32_t) {
    MoviePlayerObject* player = player_of(object);
    const MovieController* controller = player ? movie_player_controller(player) : nullptr;
    if (!controller) return 0;
    const RECT bounds = controller_bounds(controller);
    return bounds.bottom - bounds.top;
}

std::int32_t mediaMovieControllerGetter(RuntimeObject* object, std::int32_t) {
    MoviePlayerObject* player = player_of(object);
    return player ? static_cast<std::int32_t>(player->controller_window) : 0;
}

std::int32_t getMoviePlayerController(RuntimeObject* player) { return mediaMovieControllerGetter(player, 0); }

// A player without a pane plays its movie too, without a controller to
// show it.
void RuntimeMediaPlay(RuntimeObject* object) {
    MoviePlayerObject* player = player_of(object);
    MovieObject* movie = stored_movie(player);
    if (!movie) return;
    media_play(movie_media(movie), loops(player));
    if (MovieController* controller = movie_player_controller(player)) controller_idle(controller);
}

void RuntimeMediaStop(RuntimeObject* object) {
    MoviePlayerObject* player = player_of(object);
    MovieObject* movie = stored_movie(player);
    if (!movie) return;
    media_stop(movie->media);
    if (MovieController* controller = movie_player_controller(player)) controller_idle(controller);
}

RuntimeObject* mediaGetBoundPart(RuntimeObject* player, RuntimeString* part) {
    if (!player_of(player)) return nullptr;
    if (named(part, "getPlayAction")) return new_action(player, false);
    if (named(part, "getStopAction")) return new_action(player, true);
    return nullptr;
}

}  // extern "C"
