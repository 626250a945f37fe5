// The optional movie library "QuickTime.qts", loaded on first demand: an
// already loaded module of that name, else the file in the executable's
// folder, else in the system directory. Its three entry points are taken
// and the outcome is kept for the rest of the process. Only the loader is
// built: the backend opens nothing itself, so with the library present the
// system backend still plays.
#pragma once

#include <cstdint>

constexpr std::int32_t kMovieLibraryMissing = -2093;
constexpr std::int32_t kMovieLibraryEntryMissing = -2094;

// 0 when the library is loaded with its entry points, else one of the
// errors above; the first call decides, later calls repeat its answer.
std::int32_t movie_library_start();
// Releases the library; every later start fails as missing.
void movie_library_stop();
