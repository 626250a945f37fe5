#include "movie_player_pane.h"

#include "drawing/colour.h"
#include "media_layer.h"
#include "movie.h"
#include "movie_controller.h"
#include "movie_player.h"
#include "panes/control_panes.h"
#include "panes/pane.h"
#include "windows/native_view.h"

namespace {

class MoviePlayerPane : public Pane {
public:
    using Pane::Pane;

    void draw(HDC dc) override {
        RECT client;
        GetClientRect(native, &client);
        if (owner->has_back_colour) {
            HBRUSH brush = CreateSolidBrush(colour_for_gdi(colour_widen(owner->back_colour)));
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        } else {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        }
        if (controller) controller_draw_pane(controller, dc, client);
    }

    // A debugger sees every click, then the controller gets it.
    bool mouse_down(int x, int y, std::int32_t) override {
        OutputDebugStringA("RuntimeMedia:HandleClick\r\n");
        if (!controller) return false;
        controller_click(controller, x - rect.left, y - rect.top);
        return true;
    }
    void mouse_drag(int x, int y) override {
        if (controller) controller_drag(controller, x - rect.left, y - rect.top);
    }
    void mouse_up(int, int) override {
        if (controller) controller_release(controller);
    }

    void set_rect(const ShortRect& r, bool redraw) override {
        Pane::set_rect(r, redraw);
        place_controller();
    }
    void set_visible(bool on) override {
        Pane::set_visible(on);
        place_controller();
    }
    void set_active(bool on, bool redraw) override {
        Pane::set_active(on, redraw);
        if (controller) controller_redraw(controller);
    }
    void close() override {
        if (control) movie_player_detach(reinterpret_cast<MoviePlayerObject*>(control));
        Pane::close();
    }

    // The controller covers the pane, or lies far away while it is hidden.
    void place_controller() {
        if (!controller) return;
        const RECT pane_bounds = {0, 0, width, height};
        controller_set_bounds(controller, visible ? pane_bounds : kHiddenControllerBounds);
        refresh();
    }

    MovieController* controller = nullptr;
};

MoviePlayerPane* pane_of(const MoviePlayerObject* player) {
    return static_cast<MoviePlayerPane*>(control_pane(&player->control));
}

// The player takes the movie's natural size with its bar; a dimension the
// movie does not have (audio) stays as it is.
void resize_to_movie(MoviePlayerObject* player, MoviePlayerPane* pane) {
    const SIZE natural = controller_natural_size(pane->controller);
    ShortRect r = player->control.rect;
    if (natural.cx > 0) r.right = static_cast<std::int16_t>(r.left + natural.cx);
    if (natural.cy > 0) r.bottom = static_cast<std::int16_t>(r.top + natural.cy);
    player->control.rect = r;
    control_pane_moved(&player->control);
}

}  // namespace

void movie_player_create_pane(RuntimeObject* object) {
    auto* player = reinterpret_cast<MoviePlayerObject*>(object);
    auto* pane = new MoviePlayerPane(&player->control);
    // The pane's own drawing stays off its controller's window.
    const PaneCreation how = {player->control.rect, nullptr, "", "TV_Pane", WS_CLIPCHILDREN, 0};
    if (!pane->create(how)) {
        delete pane;
        return;
    }
    player->control.pane = pane;
    movie_player_attach(player);
}

void movie_player_attach(MoviePlayerObject* player) {
    MoviePlayerPane* pane = pane_of(player);
    MovieObject* movie = movie_of(player->movie);
    if (!pane || !pane->native || pane->controller || !movie || !movie_media(movie)) return;
    pane->controller = controller_attach(player, pane->native);
    if (!pane->controller) return;
    player->controller_window = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(
        controller_window(pane->controller)));
    if (player->auto_resize) resize_to_movie(player, pane);
    pane->place_controller();
}

// The controller goes, and the movie lets go of its device and file, so
// that nothing plays on in a closed window.
void movie_player_detach(MoviePlayerObject* player) {
    MoviePlayerPane* pane = pane_of(player);
    if (!pane || !pane->controller) return;
    controller_detach(pane->controller);
    pane->controller = nullptr;
    player->controller_window = 0;
    if (MovieObject* movie = movie_of(player->movie)) movie_close(movie);
    pane->refresh();
}

MovieController* movie_player_controller(const MoviePlayerObject* player) {
    const MoviePlayerPane* pane = pane_of(player);
    return pane ? pane->controller : nullptr;
}
