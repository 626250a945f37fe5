// The media entry points of the runtime export table. None raises; nil
// players, movies and sounds are ignored. Objects returned are new
// references owned by the caller.
#pragma once

#include <cstdint>

#include "objects/objects.h"
#include "strings/runtime_string.h"

extern "C" {
RuntimeObject* FolderItemOpenMovie(RuntimeObject* item);
RuntimeObject* openURLMovie(RuntimeString* url);
std::int32_t movieWidthGetter(RuntimeObject* movie, std::int32_t selector);
std::int32_t movieHeightGetter(RuntimeObject* movie, std::int32_t selector);
std::int32_t movieBaseWidthGetter(RuntimeObject* movie, std::int32_t selector);
std::int32_t movieBaseHeightGetter(RuntimeObject* movie, std::int32_t selector);

void mediaMovieSetter(RuntimeObject* player, std::int32_t selector, RuntimeObject* movie);
void mediaControllerLoopingSetter(RuntimeObject* player, std::int32_t selector, std::int32_t looping);
void mediaControllerPalindromeSetter(RuntimeObject* player, std::int32_t selector, std::int32_t palindrome);
std::int32_t mediaControllerWidthGetter(RuntimeObject* player, std::int32_t selector);
std::int32_t mediaControllerHeightGetter(RuntimeObject* player, std::int32_t selector);
std::int32_t mediaMovieControllerGetter(RuntimeObject* player, std::int32_t selector);
void RuntimeMediaPlay(RuntimeObject* player);
void RuntimeMediaStop(RuntimeObject* player);
RuntimeObject* mediaGetBoundPart(RuntimeObject* player, RuntimeString* part);

// Plugin services.
std::int32_t getMoviePlayerController(RuntimeObject* player);
std::uint32_t getMovieMovie(RuntimeObject* movie);  // the media handle, 0 without
std::int32_t TAVOenterMovies();

RuntimeObject* FolderItemOpenSound(RuntimeObject* item);
void soundPlay(RuntimeObject* sound);
void soundPlayLooping(RuntimeObject* sound);
void soundStop(RuntimeObject* sound);
}
