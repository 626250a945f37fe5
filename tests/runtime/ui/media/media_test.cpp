// Movies, players and sounds on the system's multimedia command interface,
// with MP3 tones written by tqwrite and WAV files written here. Each test
// gives back every object and byte it made.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "../../files/files_test_support.h"
#include "media/media_classes.h"
#include "media/media_entry_points.h"
#include "media/media_layer.h"
#include "media/movie.h"
#include "media/movie_library.h"
#include "media/movie_player.h"
#include "media/sound.h"
#include "descriptions/field_accessors.h"
#include "descriptions/interface_calls.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/debugger.h"
#include "objects/memory.h"
#include "startup/project_description.h"

namespace {

const std::string kTracks = MEDIA_TRACKS;  // three-minutes.mp3, two-seconds.mp3

void pump_for(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<std::int32_t>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    }
}

// A mono 8 kHz 16-bit WAV of `milliseconds` of a square wave.
std::string wav_bytes(int milliseconds) {
    const std::uint32_t samples = 8 * static_cast<std::uint32_t>(milliseconds), data = 2 * samples;
    auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    std::string w = "RIFF" + u32(36 + data) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(8000) + u32(16000) +
                    u16(2) + u16(16) + "data" + u32(data);
    for (std::uint32_t i = 0; i < samples; ++i) w += u16((i / 10) % 2 ? 0x2000 : 0xE000);
    return w;
}

class MediaTest : public TempFolder {
protected:
    void SetUp() override {
        TempFolder::SetUp();
        media_classes_describe();  // the members it adds stay for good
        // The first FolderItem fills caches of the file code that stay.
        RuntimeUnlockObject(open_movie(at("missing.mp3")));
        objects_ = RuntimeDebugObjectCount(nullptr);
        bytes_ = runtime_memory_use();
    }
    void TearDown() override {
        EXPECT_EQ(media_open_count(), 0u) << "a device left open";
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_);
        const RuntimeMemoryUse now = runtime_memory_use();
        EXPECT_EQ(now.small_bytes, bytes_.small_bytes);
        EXPECT_EQ(now.large_bytes, bytes_.large_bytes);
        TempFolder::TearDown();
    }

    // A copy of a generated track in the test's folder, so it can be deleted.
    std::string track(const char* name) {
        const std::string copy = at(name);
        EXPECT_TRUE(CopyFileA((kTracks + "\\" + name).c_str(), copy.c_str(), FALSE)) << name;
        return copy;
    }
    static RuntimeObject* open_movie(const std::string& path) {
        Held item(FolderItemFromPath(path.c_str()));
        return FolderItemOpenMovie(item);
    }
    static RuntimeObject* new_player() { return object_new(builtin_class(BuiltinClass::MoviePlayer)); }
    static MediaHandle media_of(RuntimeObject* movie) { return movie_of(movie) ? movie_of(movie)->media : 0; }

private:
    std::int32_t objects_ = 0;
    RuntimeMemoryUse bytes_ = {};
};

TEST_F(MediaTest, MovieLibraryIsAbsentHereAndStaysSo) {
    EXPECT_EQ(movie_library_start(), kMovieLibraryMissing);
    EXPECT_EQ(movie_library_start(), kMovieLibraryMissing) << "remembered";
    EXPECT_EQ(TAVOenterMovies(), 1) << "the system backend plays";
}

TEST_F(MediaTest, FilesNoBackendOpensGiveNilAndAPlayerThatDoesNothing) {
    write_file(at("notes.mp3"), "These are words, not MPEG audio frames.\r\n");
    Held movie(open_movie(at("notes.mp3")));
    EXPECT_EQ(movie.get(), nullptr);
    EXPECT_EQ(open_movie(at("missing.mp3")), nullptr);
    EXPECT_EQ(FolderItemOpenMovie(nullptr), nullptr);
    EXPECT_EQ(openURLMovie(nullptr), nullptr);

    Held player(new_player());
    mediaMovieSetter(player, 0, movie);
    RuntimeMediaPlay(player);
    RuntimeMediaStop(player);
    RuntimeMediaPlay(nullptr);
    struct Getter {
        const char* name;
        std::int32_t (*get)(RuntimeObject*, std::int32_t);
        RuntimeObject* of;
    };
    const Getter getters[] = {
        {"ControllerWidth", mediaControllerWidthGetter, player},
        {"ControllerHeight", mediaControllerHeightGetter, player},
        {"QTMovieController", mediaMovieControllerGetter, player},
        {"movie width", movieWidthGetter, movie},
        {"movie base height", movieBaseHeightGetter, movie},
    };
    for (const Getter& g : getters) EXPECT_EQ(g.get(g.of, 0), 0) << g.name;
    EXPECT_EQ(getMoviePlayerController(player), 0);
    EXPECT_EQ(as_control(player)->header.refs, 1);
    Held stored(objGetter(player, offsetof(MoviePlayerObject, movie)));
    EXPECT_EQ(stored.get(), nullptr);
}

TEST_F(MediaTest, AThreeMinuteMp3OpensPlaysAdvancesAndStops) {
    const std::string path = track("three-minutes.mp3");
    Held player(new_player());
    const DWORD started = GetTickCount();
    Held movie(open_movie(path));
    ASSERT_NE(movie.get(), nullptr) << "this Wine opened no MP3: are 32-bit GStreamer's base and good plugins installed?";
    mediaMovieSetter(player, 0, movie);
    const DWORD play_called = GetTickCount();
    RuntimeMediaPlay(player);
    const DWORD done = GetTickCount();
    std::printf("open %lu ms, play call %lu ms\n", play_called - started, done - play_called);
    EXPECT_LT(done - play_called, 1500u) << "the play call does not wait for playback";

    const MediaHandle media = media_of(movie);
    EXPECT_NEAR(media_length_ms(media), 180000, 100);
    EXPECT_EQ(movieWidthGetter(movie, 0), 0) << "sound only";
    EXPECT_EQ(getMovieMovie(movie), media);
    pump_for(1500);
    EXPECT_TRUE(media_playing(media));
    const std::int32_t playing_at = media_position_ms(media);
    EXPECT_GT(playing_at, 500);
    RuntimeMediaStop(player);
    EXPECT_FALSE(media_playing(media));
    const std::int32_t stopped_at = media_position_ms(media);
    pump_for(600);
    EXPECT_EQ(media_position_ms(media), stopped_at) << "stopped stays put";
    RuntimeMediaPlay(player);
    pump_for(600);
    EXPECT_GT(media_position_ms(media), stopped_at) << "goes on from where it stopped";
    const std::int32_t before_loop = media_position_ms(media);
    mediaControllerLoopingSetter(player, 0, 1);
    pump_for(300);
    EXPECT_TRUE(media_playing(media));
    EXPECT_GT(media_position_ms(media), before_loop) << "a loop choice made while playing keeps the place";
    mediaMovieSetter(player, 0, nullptr);
}

TEST_F(MediaTest, LoopingKeepsAShortTrackPlaying) {
    const std::string path = track("two-seconds.mp3");
    struct Case {
        const char* name;
        void (*setter)(RuntimeObject*, std::int32_t, std::int32_t);
        std::int32_t value;
        bool still_playing;
    };
    const Case cases[] = {
        {"no loop", mediaControllerLoopingSetter, 0, false},
        {"Looping", mediaControllerLoopingSetter, 1, true},
        {"Palindrome", mediaControllerPalindromeSetter, 1, true},
        // Only the low byte of a Boolean counts.
        {"Looping 0x100", mediaControllerLoopingSetter, 0x100, false},
    };
    Held player(new_player());
    Held movie(open_movie(path));
    ASSERT_NE(movie.get(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mediaMovieSetter(player, 0, movie);
        c.setter(player, 0, c.value);
        RuntimeMediaPlay(player);
        pump_for(3200);
        EXPECT_EQ(media_playing(media_of(movie)), c.still_playing);
        if (c.still_playing) {
            EXPECT_LT(media_position_ms(media_of(movie)), 1800) << "back at the start";
        }
        c.setter(player, 0, 0);
        RuntimeMediaStop(player);
    }
    mediaMovieSetter(player, 0, nullptr);
}

TEST_F(MediaTest, AssigningTheSameMovieAgainClosesAndReopensIt) {
    Held player(new_player());
    Held movie(open_movie(track("three-minutes.mp3")));
    ASSERT_NE(movie.get(), nullptr);
    mediaMovieSetter(player, 0, movie);
    RuntimeMediaPlay(player);
    pump_for(800);
    ASSERT_TRUE(media_playing(media_of(movie)));
    mediaMovieSetter(player, 0, movie);
    EXPECT_EQ(movie.get()->refs, 2) << "one reference, held by the player";
    EXPECT_EQ(media_open_count(), 1u);
    EXPECT_FALSE(media_playing(media_of(movie))) << "a fresh device";
    EXPECT_LT(media_position_ms(media_of(movie)), 100);
    RuntimeMediaPlay(player);
    pump_for(600);
    EXPECT_TRUE(media_playing(media_of(movie)));
    mediaMovieSetter(player, 0, nullptr);
}

TEST_F(MediaTest, ADetachedMovieLetsGoOfItsFile) {
    const std::string first = track("three-minutes.mp3"), second = track("two-seconds.mp3");
    for (const bool replaced_by_another : {false, true}) {
        SCOPED_TRACE(replaced_by_another ? "another movie" : "nil");
        CopyFileA((kTracks + "\\three-minutes.mp3").c_str(), first.c_str(), FALSE);
        Held player(new_player());
        Held movie(open_movie(first));
        ASSERT_NE(movie.get(), nullptr);
        Held other(replaced_by_another ? open_movie(second) : nullptr);
        mediaMovieSetter(player, 0, movie);
        RuntimeMediaPlay(player);
        pump_for(300);
        mediaMovieSetter(player, 0, other);
        EXPECT_EQ(media_of(movie), 0u);
        EXPECT_TRUE(DeleteFileA(first.c_str())) << GetLastError();
        EXPECT_EQ(media_open_count(), replaced_by_another ? 1u : 0u);
        mediaMovieSetter(player, 0, nullptr);
    }
}

TEST_F(MediaTest, PlayerActionsPlayAndStop) {
    Held player(new_player());
    Held movie(open_movie(track("three-minutes.mp3")));
    ASSERT_NE(movie.get(), nullptr);
    mediaMovieSetter(player, 0, movie);
    RuntimeString* names[] = {string_from_cstr("getPlayAction"), string_from_cstr("GETSTOPACTION"),
                              string_from_cstr("getPauseAction")};
    Held play(mediaGetBoundPart(player, names[0]));
    Held stop(mediaGetBoundPart(player, names[1]));
    EXPECT_EQ(mediaGetBoundPart(player, names[2]), nullptr);
    for (RuntimeString* name : names) RuntimeUnlockString(name);
    ASSERT_NE(play.get(), nullptr);
    ASSERT_NE(stop.get(), nullptr);
    // As an action source tells its receivers: through their interface.
    auto perform = [](RuntimeObject* action) {
        auto code = reinterpret_cast<void (*)(RuntimeObject*)>(
            interface_method(action, "actionNotificationReceiver", "PerformAction"));
        ASSERT_NE(code, nullptr);
        code(action);
    };
    perform(play);
    pump_for(500);
    EXPECT_TRUE(media_playing(media_of(movie)));
    perform(stop);
    EXPECT_FALSE(media_playing(media_of(movie)));
    mediaMovieSetter(player, 0, nullptr);
}

TEST_F(MediaTest, SoundsOpenOnlyFromRiffFilesAndPlay) {
    const struct {
        const char* name;
        std::string bytes;
    } refused[] = {{"words.wav", "RIFX but not quite"}, {"short.wav", "RIF"}, {"empty.wav", ""}};
    for (const auto& r : refused) {
        write_file(at(r.name), r.bytes);
        Held item(FolderItemFromPath(at(r.name).c_str()));
        EXPECT_EQ(FolderItemOpenSound(item), nullptr) << r.name;
    }
    Held missing(FolderItemFromPath(at("missing.wav").c_str()));
    EXPECT_EQ(FolderItemOpenSound(missing), nullptr);

    write_file(at("beep.wav"), wav_bytes(1500));
    Held item(FolderItemFromPath(at("beep.wav").c_str()));
    Held sound(FolderItemOpenSound(item));
    ASSERT_NE(sound.get(), nullptr);
    EXPECT_EQ(reinterpret_cast<SoundObject*>(sound.get())->file, item.get()) << "keeps its FolderItem";
    soundPlay(sound);
    pump_for(400);
    const MediaHandle media = reinterpret_cast<SoundObject*>(sound.get())->media;
    EXPECT_TRUE(media_playing(media));
    soundStop(sound);
    EXPECT_FALSE(media_playing(media));
    soundPlayLooping(sound);
    pump_for(2000);
    EXPECT_TRUE(media_playing(media)) << "past its length, looping";
    soundStop(nullptr);
}

TEST_F(MediaTest, ProjectItemsMakeMoviesThatNeverOpenAndSoundsThatPlayInPlace) {
    const ProjectItemFactories& make = project_item_factories();
    EXPECT_EQ(make.movie(0), nullptr) << "item 0 names no movie";
    Held movie(make.movie(5));
    ASSERT_NE(movie_of(movie), nullptr);
    EXPECT_EQ(movie_of(movie)->project_item, 5);
    Held player(new_player());
    mediaMovieSetter(player, 0, movie);
    RuntimeMediaPlay(player);
    EXPECT_EQ(getMovieMovie(movie), 0u) << "no media table to load it from";
    mediaMovieSetter(player, 0, nullptr);

    const std::string wav = wav_bytes(1000);
    struct Case {
        const char* name;
        std::string item;
        bool makes_sound;
    };
    const Case cases[] = {
        {"a whole WAV", std::string("\x07\0\0\0", 4) + wav, true},
        {"cut short", std::string("\x07\0\0\0", 4) + wav.substr(0, wav.size() - 1), false},
        {"not RIFF", std::string("\x07\0\0\0", 4) + "RIFX" + wav.substr(4), false},
        {"no room for a header", std::string("\x07\0\0\0RIFF", 8), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(c.item.data());
        Held sound(make.sound(bytes, DataSpan{bytes, c.item.size()}));
        EXPECT_EQ(sound.get() != nullptr, c.makes_sound);
        if (!sound.get()) continue;
        const auto* s = reinterpret_cast<const SoundObject*>(sound.get());
        EXPECT_EQ(s->id, 7);
        EXPECT_EQ(s->data, bytes + 4) << "played where it lies";
        soundPlay(sound);
        soundStop(sound);
    }
}

}  // namespace
