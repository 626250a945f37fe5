// The movie library loader on a library that lacks an entry point: an
// already loaded module of the library's name is used, the missing entry
// point gives -2094, the library is released and the answer stays. A
// process of its own, as the loader remembers its outcome.
#include <gtest/gtest.h>
#include <windows.h>

#include "media/media_entry_points.h"
#include "media/movie_library.h"

namespace {

TEST(MovieLibrary, AMissingEntryPointReleasesTheLibraryForGood) {
    HMODULE ours = LoadLibraryA(PARTIAL_LIBRARY);
    ASSERT_NE(ours, nullptr) << PARTIAL_LIBRARY;
    ASSERT_EQ(GetModuleHandleA("QuickTime.qts"), ours) << "found by its name";

    EXPECT_EQ(movie_library_start(), kMovieLibraryEntryMissing);
    FreeLibrary(ours);
    EXPECT_EQ(GetModuleHandleA("QuickTime.qts"), nullptr) << "the loader let go of its own reference";

    // Loaded again, it is not looked at: the first answer stands.
    ours = LoadLibraryA(PARTIAL_LIBRARY);
    EXPECT_EQ(movie_library_start(), kMovieLibraryEntryMissing);
    FreeLibrary(ours);
    EXPECT_EQ(GetModuleHandleA("QuickTime.qts"), nullptr);
    EXPECT_EQ(TAVOenterMovies(), 1) << "the system backend still plays";
}

}  // namespace
