// Shutdown with a movie playing: the window layer's stop_media closes every
// device and lets go of the files; nothing opens afterwards, and the Movie
// objects that outlive it go quietly. A process of its own, as the layer
// stays shut.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../files/files_test_support.h"
#include "layer/ui_layer.h"
#include "media/media_entry_points.h"
#include "media/media_layer.h"
#include "media/movie.h"
#include "objects/builtin_classes.h"
#include "objects/debugger.h"
#include "startup/ui_services.h"

namespace {

class MediaShutdownTest : public TempFolder {};

TEST_F(MediaShutdownTest, StopMediaClosesAPlayingMovieAndItsFile) {
    ui_layer_install();
    ui_services().describe_classes();
    const std::int32_t objects = RuntimeDebugObjectCount(nullptr);
    const std::string path = at("playing.mp3"), later = at("later.mp3");
    ASSERT_TRUE(CopyFileA(MEDIA_TRACKS "\\three-minutes.mp3", path.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(MEDIA_TRACKS "\\two-seconds.mp3", later.c_str(), FALSE));
    Held item(FolderItemFromPath(path.c_str()));
    Held movie(FolderItemOpenMovie(item));
    ASSERT_NE(movie.get(), nullptr);
    Held player(object_new(builtin_class(BuiltinClass::MoviePlayer)));
    mediaMovieSetter(player, 0, movie);
    RuntimeMediaPlay(player);
    Sleep(500);
    ASSERT_TRUE(media_playing(movie_of(movie)->media));

    ui_services().stop_media();
    EXPECT_EQ(media_open_count(), 0u);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << GetLastError();
    EXPECT_EQ(TAVOenterMovies(), 0);
    {
        Held other(FolderItemFromPath(later.c_str()));
        EXPECT_EQ(FolderItemOpenMovie(other), nullptr) << "nothing opens after shutdown";
    }
    RuntimeMediaPlay(player);
    RuntimeMediaStop(player);
    EXPECT_EQ(media_open_count(), 0u);
    mediaMovieSetter(player, 0, nullptr);
    EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects + 3) << "item, movie, player";
}

}  // namespace
