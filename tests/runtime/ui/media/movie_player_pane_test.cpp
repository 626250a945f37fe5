// MoviePlayers on windows made from descriptions, driven with real clicks
// posted at client positions to the native window under them: the
// controller's window and bounds for each style, hidden and shown, the
// debugger line of every click, AutoResize, and the play action a binding
// hands to an action source.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../../files/files_test_support.h"
#include "../descriptions/window_test_support.h"
#include "controls/control_accessors.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "descriptions/interface_calls.h"
#include "media/media_entry_points.h"
#include "media/media_layer.h"
#include "media/movie.h"
#include "objects/debugger.h"
#include "objects/memory.h"
#include "panes/receivers.h"
#include "startup/main_loop.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

std::vector<std::string> g_debug_lines;

LONG CALLBACK take_debug_output(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->ExceptionCode != DBG_PRINTEXCEPTION_C || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
    g_debug_lines.emplace_back(text, r->ExceptionInformation[0] ? r->ExceptionInformation[0] - 1 : 0);
    return EXCEPTION_CONTINUE_EXECUTION;
}

enum { kWindowClass, kPlayerClass, kClassCount };

struct PlayerSetup {
    int controller = 2;
    bool visible = true;
    bool auto_resize = false;
    int width = 298, height = 15;
};

class MoviePlayerPane : public TempFolder {
protected:
    void SetUp() override {
        TempFolder::SetUp();
        window_layer_ready();
        static bool ready = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = ui_services().pane_procedure;
            wc.cbWndExtra = 4;
            wc.hInstance = process_instance();
            wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            wc.lpszClassName = "TV_Pane";
            RegisterClassA(&wc);
            static RuntimeClass* classes[kClassCount] = {test_class("PlayerWindow", BuiltinClass::Window),
                                                         builtin_class(BuiltinClass::MoviePlayer)};
            class_table_install(classes, kClassCount);
            return true;
        }();
        (void)ready;
        // The first FolderItem fills caches of the file code that stay.
        RuntimeUnlockObject(FolderItemFromPath(at("warm.mp3").c_str()));
        pump();
        objects_ = RuntimeDebugObjectCount(nullptr);
        bytes_ = RuntimeDebugMemoryUsed();
    }
    void TearDown() override {
        pump();
        EXPECT_EQ(media_open_count(), 0u) << "a device left open";
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_) << "live objects left behind";
        EXPECT_EQ(RuntimeDebugMemoryUsed(), bytes_) << "runtime memory left behind";
        TempFolder::TearDown();
    }

    static void pump() {
        MSG m;
        for (int guard = 0; guard < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
    }
    static void pump_for(DWORD ms) {
        const DWORD end = GetTickCount() + ms;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            pump();
            Sleep(20);
        }
    }

    // A window like the extractor's preview, its player at (14, 53).
    RuntimeObject* open(const PlayerSetup& p) {
        const ControlEntry player = {kPlayerClass,
                                     {{"Name", "MoviePlayer1"},
                                      {"Visible", p.visible ? "True" : "False"},
                                      {"Left", "14"},
                                      {"Top", "53"},
                                      {"Width", std::to_string(p.width)},
                                      {"Height", std::to_string(p.height)},
                                      {"Controller", std::to_string(p.controller)},
                                      {"AutoResize", p.auto_resize ? "True" : "False"}}};
        const auto description = window_description(
            kWindowClass, {{"Title", "Play MP3"}, {"Left", "60"}, {"Top", "80"}, {"Width", "326"}, {"Height", "120"}},
            {player});
        RuntimeObject* window = RuntimeCreateWindow(description.data(), nullptr);
        ui_services().walk_show_list();
        pump();
        return window;
    }
    static void close(RuntimeObject* window) {
        RuntimeCloseWindow(window);
        RuntimeUnlockObject(window);
        pump();
    }
    static RuntimeObject* player_of(RuntimeObject* window) { return as_window(window)->controls->first->control; }
    static HWND view_window(RuntimeObject* window) { return as_window(window)->view->hwnd; }
    static HWND controller(RuntimeObject* player) {
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(mediaMovieControllerGetter(player, 0)));
    }
    // The controller window's place in its pane.
    static RECT bounds_in_pane(HWND controller_window) {
        RECT r;
        GetWindowRect(controller_window, &r);
        MapWindowPoints(nullptr, GetParent(controller_window), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static MediaHandle media_of(RuntimeObject* movie) { return movie_of(movie) ? movie_of(movie)->media : 0; }

    RuntimeObject* open_track(const char* name) {
        const std::string copy = at(name);
        CopyFileA((std::string(MEDIA_TRACKS) + "\\" + name).c_str(), copy.c_str(), FALSE);
        Held item(FolderItemFromPath(copy.c_str()));
        return FolderItemOpenMovie(item);
    }

    // A real click at client point (x, y): to the native window under it.
    static void click(RuntimeObject* window, int x, int y) {
        HWND h = view_window(window);
        POINT p = {x, y};
        for (;;) {
            HWND child = ChildWindowFromPointEx(h, p, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
            if (!child || child == h) break;
            MapWindowPoints(h, child, &p, 1);
            h = child;
        }
        PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        pump();
        if (HWND captured = GetCapture()) {
            POINT q = {x, y};
            MapWindowPoints(view_window(window), captured, &q, 1);
            h = captured, p = q;
        }
        PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        pump();
    }

private:
    std::int32_t objects_ = 0;
    std::uint32_t bytes_ = 0;
};

TEST_F(MoviePlayerPane, EachControllerStyleGetsAControllerCoveringThePane) {
    struct Case {
        int controller;
        bool bar_shown;
    };
    const Case cases[] = {{0, false}, {1, false}, {2, true}, {7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("Controller " + std::to_string(c.controller));
        PlayerSetup setup;
        setup.controller = c.controller;
        RuntimeObject* window = open(setup);
        ASSERT_NE(window, nullptr);
        RuntimeObject* player = player_of(window);
        EXPECT_EQ(mediaMovieControllerGetter(player, 0), 0) << "no movie, no controller";
        Held movie(open_track("two-seconds.mp3"));
        ASSERT_NE(movie.get(), nullptr);
        mediaMovieSetter(player, 0, movie);
        HWND bar = controller(player);
        ASSERT_TRUE(IsWindow(bar));
        EXPECT_EQ(getMoviePlayerController(player), mediaMovieControllerGetter(player, 0));
        EXPECT_EQ(IsWindowVisible(bar) != 0, c.bar_shown);
        const RECT r = bounds_in_pane(bar);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(mediaControllerWidthGetter(player, 0), 298);
        EXPECT_EQ(mediaControllerHeightGetter(player, 0), 15);
        if (c.controller == 0) {
            click(window, 14 + 100, 53 + 7);
            EXPECT_TRUE(media_playing(media_of(movie))) << "without a bar a click on the movie plays it";
            click(window, 14 + 100, 53 + 7);
            EXPECT_FALSE(media_playing(media_of(movie))) << "and the next stops it";
        }
        if (c.controller == 1) {
            click(window, 14 + 5, 53 + 7);
            EXPECT_TRUE(IsWindowVisible(bar)) << "the badge brings the bar";
            EXPECT_FALSE(media_playing(media_of(movie))) << "and plays nothing";
        }
        mediaMovieSetter(player, 0, nullptr);
        EXPECT_FALSE(IsWindow(bar)) << "the controller goes with its movie";
        EXPECT_EQ(mediaControllerWidthGetter(player, 0), 0);
        close(window);
    }
}

TEST_F(MoviePlayerPane, AHiddenPlayersControllerLiesFarAwayUntilShown) {
    PlayerSetup setup;
    setup.visible = false;
    RuntimeObject* window = open(setup);
    RuntimeObject* player = player_of(window);
    Held movie(open_track("two-seconds.mp3"));
    mediaMovieSetter(player, 0, movie);
    HWND bar = controller(player);
    ASSERT_TRUE(IsWindow(bar));
    const RECT away = {32000, 32000, 32100, 32100};
    EXPECT_TRUE(EqualRect(&away, &static_cast<const RECT&>(bounds_in_pane(bar))));
    EXPECT_EQ(mediaControllerWidthGetter(player, 0), 100);

    ControlVisibleSetter(player, 0, true);
    pump();
    RECT r = bounds_in_pane(bar);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 298);
    EXPECT_EQ(r.bottom, 15);
    EXPECT_TRUE(IsWindowVisible(bar));

    ControlVisibleSetter(player, 0, false);
    pump();
    r = bounds_in_pane(bar);
    EXPECT_TRUE(EqualRect(&away, &r));
    // Assigned again while hidden, the new controller starts far away too.
    mediaMovieSetter(player, 0, movie);
    r = bounds_in_pane(controller(player));
    EXPECT_TRUE(EqualRect(&away, &r));
    mediaMovieSetter(player, 0, nullptr);
    close(window);
}

TEST_F(MoviePlayerPane, EveryClickIsWrittenForTheDebuggerThenTheControllerTakesIt) {
    RuntimeObject* window = open({});
    RuntimeObject* player = player_of(window);
    void* handler = AddVectoredExceptionHandler(1, take_debug_output);
    g_debug_lines.clear();
    click(window, 14 + 100, 53 + 7);
    EXPECT_EQ(g_debug_lines, std::vector<std::string>{"RuntimeMedia:HandleClick\r\n"}) << "without a movie too";

    Held movie(open_track("three-minutes.mp3"));
    mediaMovieSetter(player, 0, movie);
    g_debug_lines.clear();
    // The play button lies right of the speaker button (17 pixels).
    click(window, 14 + 25, 53 + 7);
    pump_for(500);
    EXPECT_TRUE(media_playing(media_of(movie))) << "the play button";
    click(window, 14 + 25, 53 + 7);
    EXPECT_FALSE(media_playing(media_of(movie))) << "pressed again, it stops";
    EXPECT_EQ(g_debug_lines.size(), 2u);
    for (const std::string& line : g_debug_lines) EXPECT_EQ(line, "RuntimeMedia:HandleClick\r\n");

    // The right step button moves on by a second and leaves it stopped.
    const std::int32_t before = media_position_ms(media_of(movie));
    click(window, 14 + 298 - 7, 53 + 7);
    EXPECT_NEAR(media_position_ms(media_of(movie)), before + 1000, 150);
    EXPECT_FALSE(media_playing(media_of(movie)));
    // A click far along the slider moves there.
    click(window, 14 + 230, 53 + 7);
    EXPECT_GT(media_position_ms(media_of(movie)), 120000);
    RemoveVectoredExceptionHandler(handler);
    mediaMovieSetter(player, 0, nullptr);
    close(window);
}

TEST_F(MoviePlayerPane, AutoResizeGivesTheBarsHeightAndKeepsTheWidthOfAudio) {
    PlayerSetup setup;
    setup.auto_resize = true;
    setup.width = 200;
    setup.height = 60;
    RuntimeObject* window = open(setup);
    RuntimeObject* player = player_of(window);
    Held movie(open_track("two-seconds.mp3"));
    mediaMovieSetter(player, 0, movie);
    EXPECT_EQ(ctlPosGetter(player, 2), 200);
    EXPECT_EQ(ctlPosGetter(player, 3), 16);
    EXPECT_EQ(mediaControllerHeightGetter(player, 0), 16);
    RECT pane;
    GetWindowRect(GetParent(controller(player)), &pane);
    EXPECT_EQ(pane.bottom - pane.top, 16) << "the pane follows";
    mediaMovieSetter(player, 0, nullptr);
    close(window);
}

TEST_F(MoviePlayerPane, ClosingTheWindowStopsThePlayerAndLetsGoOfTheFile) {
    RuntimeObject* window = open({});
    RuntimeObject* player = player_of(window);
    Held movie(open_track("three-minutes.mp3"));
    mediaMovieSetter(player, 0, movie);
    RuntimeMediaPlay(player);
    pump_for(300);
    ASSERT_TRUE(media_playing(media_of(movie)));
    close(window);
    EXPECT_EQ(media_open_count(), 0u);
    EXPECT_TRUE(DeleteFileA(at("three-minutes.mp3").c_str())) << GetLastError();
}

// As a window's binding does it: the part through bindingPartInterface,
// then told through actionNotificationReceiver by an action source.
TEST_F(MoviePlayerPane, BoundPlayAndStopActionsAreToldLikeAnyActionReceiver) {
    RuntimeObject* window = open({});
    RuntimeObject* player = player_of(window);
    Held movie(open_track("three-minutes.mp3"));
    mediaMovieSetter(player, 0, movie);
    auto get_part = reinterpret_cast<RuntimeObject* (*)(RuntimeObject*, RuntimeString*)>(
        interface_method(player, "bindingPartInterface", "getBoundPart"));
    ASSERT_NE(get_part, nullptr);
    RuntimeString* play_name = string_from_cstr("getPlayAction");
    RuntimeString* stop_name = string_from_cstr("getStopAction");
    Held play(get_part(player, play_name));
    Held stop(get_part(player, stop_name));
    RuntimeUnlockString(play_name);
    RuntimeUnlockString(stop_name);
    ReceiverList plays, stops;
    receivers_add(plays, play);
    receivers_add(stops, stop);
    receivers_notify_action(plays);
    pump_for(400);
    EXPECT_TRUE(media_playing(media_of(movie)));
    receivers_notify_action(stops);
    EXPECT_FALSE(media_playing(media_of(movie)));
    receivers_clear(plays);
    receivers_clear(stops);
    mediaMovieSetter(player, 0, nullptr);
    close(window);
}

}  // namespace
