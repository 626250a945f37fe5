#include "movie_controller.h"

#include "media_entry_points.h"
#include "movie.h"
#include "movie_player.h"
#include "objects/memory.h"
#include "panes/pane.h"
#include "startup/periodic_tasks.h"
#include "startup/process.h"

namespace {

constexpr char kWindowClass[] = "TVMovieController";
constexpr std::int32_t kStepMs = 1000;  // audio has no frames to step by
constexpr int kThumbWidth = 7;
constexpr int kTrackInset = 4;

enum class Part { none, movie, badge, speaker, play, slider, step_back, step_forward };

struct BarLayout {
    RECT bar, speaker, play, slider, step_back, step_forward;  // empty when not shown
};

}  // namespace

struct MovieController {
    MoviePlayerObject* player;  // no reference: the player outlives its pane
    HWND window;
    RECT bounds;            // in the pane
    bool bar_shown;         // style 0 and the badge of style 1 show none
    bool muted;
    bool dragging;
    std::int32_t drag_ms;
    std::int32_t length_ms;
    // What the bar shows now, so that idle work redraws only on change.
    int drawn_thumb;
    bool drawn_playing;
    MovieController* next;  // the list of attached controllers
};

namespace {

MovieController* g_controllers = nullptr;
PeriodicTask g_idle_task = {nullptr, 6, 0, nullptr};

MediaHandle media_of(const MovieController* c) {
    MovieObject* movie = movie_of(c->player->movie);
    return movie ? movie->media : 0;
}

bool pane_active(const MovieController* c) {
    const Pane* pane = static_cast<const Pane*>(c->player->control.pane);
    return !pane || pane->active;
}

int width_of(const RECT& r) { return r.right - r.left; }
int height_of(const RECT& r) { return r.bottom - r.top; }
bool inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// In the controller's own coordinates: the bar along the bottom, the
// speaker and play buttons at its left, the step buttons at its right.
BarLayout layout_of(const MovieController* c) {
    BarLayout l = {};
    if (!c->bar_shown) return l;
    const int w = width_of(c->bounds), h = height_of(c->bounds);
    const int bar_h = h < kControllerBarHeight ? h : kControllerBarHeight;
    l.bar = {0, h - bar_h, w, h};
    int x = 0;
    if (c->player->speaker) {
        l.speaker = {x, l.bar.top, x + bar_h + 2, h};
        x = l.speaker.right;
    }
    l.play = {x, l.bar.top, x + bar_h + 4, h};
    x = l.play.right;
    int right = w;
    if (c->player->has_step) {
        l.step_forward = {right - bar_h, l.bar.top, right, h};
        l.step_back = {right - 2 * bar_h, l.bar.top, right - bar_h, h};
        right -= 2 * bar_h;
    }
    if (right > x) l.slider = {x, l.bar.top, right, h};
    return l;
}

RECT movie_area(const MovieController* c, const BarLayout& l) {
    RECT r = {0, 0, width_of(c->bounds), c->bar_shown ? l.bar.top : height_of(c->bounds)};
    return r;
}

RECT badge_of(const RECT& area) {
    const int side = height_of(area) < 16 ? height_of(area) : 16;
    return {area.left, area.bottom - side, area.left + side, area.bottom};
}

Part part_at(const MovieController* c, int x, int y) {
    const BarLayout l = layout_of(c);
    if (!c->bar_shown) {
        if (c->player->controller == 1 && inside(badge_of(movie_area(c, l)), x, y)) return Part::badge;
        return Part::movie;
    }
    const struct {
        const RECT& r;
        Part part;
    } parts[] = {{l.speaker, Part::speaker},     {l.play, Part::play},
                 {l.slider, Part::slider},       {l.step_back, Part::step_back},
                 {l.step_forward, Part::step_forward}};
    for (const auto& p : parts)
        if (inside(p.r, x, y)) return p.part;
    return inside(l.bar, x, y) ? Part::none : Part::movie;
}

// The thumb's travel along the slider.
void track_of(const RECT& slider, int& left, int& right) {
    left = slider.left + kTrackInset;
    right = slider.right - kTrackInset - kThumbWidth;
    if (right < left) right = left;
}

std::int32_t shown_position(const MovieController* c) {
    return c->dragging ? c->drag_ms : media_position_ms(media_of(c));
}

int thumb_left(const MovieController* c, const RECT& slider) {
    int left, right;
    track_of(slider, left, right);
    if (c->length_ms <= 0) return left;
    std::int64_t at = shown_position(c);
    if (at > c->length_ms) at = c->length_ms;
    return left + static_cast<int>((right - left) * at / c->length_ms);
}

std::int32_t position_at(const MovieController* c, const RECT& slider, int x) {
    int left, right;
    track_of(slider, left, right);
    if (right <= left || c->length_ms <= 0) return 0;
    std::int64_t offset = x - kThumbWidth / 2 - left;
    if (offset < 0) offset = 0;
    if (offset > right - left) offset = right - left;
    return static_cast<std::int32_t>(offset * c->length_ms / (right - left));
}

// Drawing. Glyphs are small polygons centred in their button.

void fill(HDC dc, const RECT& r, int colour_index) { FillRect(dc, &r, GetSysColorBrush(colour_index)); }

void polygon(HDC dc, const POINT* points, int count, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, pen);
    Polygon(dc, points, count);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void bar_glyph(HDC dc, int left, int top, int height, COLORREF colour) {
    RECT r = {left, top, left + 2, top + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A triangle `height` tall with its point towards `points_right`.
void triangle(HDC dc, int left, int top, int height, bool points_right, COLORREF colour) {
    const int depth = height / 2;
    POINT p[3];
    if (points_right) p[0] = {left, top}, p[1] = {left + depth, top + depth}, p[2] = {left, top + 2 * depth};
    else p[0] = {left + depth, top}, p[1] = {left, top + depth}, p[2] = {left + depth, top + 2 * depth};
    polygon(dc, p, 3, colour);
}

int glyph_height(const RECT& button) {
    int g = height_of(button) - 6;
    if (g < 3) g = 3;
    return g | 1;  // odd, so that triangles have a middle row
}

void draw_play(HDC dc, const RECT& r, bool playing, COLORREF ink) {
    const int g = glyph_height(r), top = r.top + (height_of(r) - g) / 2;
    if (playing) {
        const int left = r.left + (width_of(r) - 6) / 2;
        bar_glyph(dc, left, top, g, ink);
        bar_glyph(dc, left + 4, top, g, ink);
    } else {
        triangle(dc, r.left + (width_of(r) - g / 2) / 2, top, g, true, ink);
    }
}

void draw_step(HDC dc, const RECT& r, bool forward, COLORREF ink) {
    const int g = glyph_height(r), top = r.top + (height_of(r) - g) / 2;
    const int left = r.left + (width_of(r) - (g / 2 + 3)) / 2;
    if (forward) {
        triangle(dc, left, top, g, true, ink);
        bar_glyph(dc, left + g / 2 + 1, top, g, ink);
    } else {
        bar_glyph(dc, left, top, g, ink);
        triangle(dc, left + 3, top, g, false, ink);
    }
}

void draw_speaker(HDC dc, const RECT& r, bool muted, COLORREF ink) {
    const int g = glyph_height(r), top = r.top + (height_of(r) - g) / 2, mid = top + g / 2;
    const int left = r.left + 3;
    const POINT cone[] = {{left, mid - 1}, {left + 2, mid - 1}, {left + 5, top},
                          {left + 5, top + g - 1}, {left + 2, mid + 1}, {left, mid + 1}};
    polygon(dc, cone, 6, ink);
    if (muted) return;
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ old = SelectObject(dc, pen);
    for (int wave = 0; wave < 2; ++wave) {
        const int x = left + 7 + 2 * wave, reach = 1 + 2 * wave;
        MoveToEx(dc, x, mid - reach, nullptr);
        LineTo(dc, x, mid + reach + 1);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void draw_slider(HDC dc, const MovieController* c, const RECT& slider) {
    const int mid = slider.top + height_of(slider) / 2;
    RECT groove = {slider.left + kTrackInset, mid - 3, slider.right - kTrackInset, mid + 3};
    if (width_of(groove) <= 0) return;
    DrawEdge(dc, &groove, EDGE_SUNKEN, BF_RECT);
    const int thumb = thumb_left(c, slider);
    RECT played = {groove.left + 2, groove.top + 2, thumb, groove.bottom - 2};
    if (played.right > played.left) fill(dc, played, COLOR_HIGHLIGHT);
    RECT knob = {thumb, slider.top + 2, thumb + kThumbWidth, slider.bottom - 2};
    fill(dc, knob, COLOR_BTNFACE);
    DrawEdge(dc, &knob, EDGE_RAISED, BF_RECT);
}

void separator(HDC dc, const RECT& button) {
    if (width_of(button) <= 0) return;
    RECT line = {button.right - 1, button.top + 2, button.right, button.bottom - 2};
    fill(dc, line, COLOR_BTNSHADOW);
}

void draw_movie_area(HDC dc, const MovieController* c, const RECT& area) {
    if (width_of(area) <= 0 || height_of(area) <= 0) return;
    fill(dc, area, COLOR_WINDOW);
    if (c->player->border) FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWFRAME));
}

void draw_bar(HDC dc, MovieController* c, const BarLayout& l) {
    const COLORREF ink = GetSysColor(pane_active(c) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    fill(dc, l.bar, COLOR_BTNFACE);
    const bool playing = media_playing(media_of(c));
    if (width_of(l.speaker) > 0) draw_speaker(dc, l.speaker, c->muted, ink);
    draw_play(dc, l.play, playing, ink);
    if (width_of(l.step_back) > 0) {
        draw_step(dc, l.step_back, false, ink);
        draw_step(dc, l.step_forward, true, ink);
        separator(dc, l.step_back);
    }
    separator(dc, l.speaker);
    separator(dc, l.play);
    if (width_of(l.slider) > 0) draw_slider(dc, c, l.slider);
    RECT edge = l.bar;
    DrawEdge(dc, &edge, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
    c->drawn_playing = playing;
    c->drawn_thumb = width_of(l.slider) > 0 ? thumb_left(c, l.slider) : 0;
}

// Drawn off screen first: the bar is redrawn while the movie plays.
void draw(HWND hwnd, MovieController* c, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width_of(client), height_of(client));
    HGDIOBJ old = SelectObject(memory, bitmap);
    const BarLayout l = layout_of(c);
    draw_movie_area(memory, c, movie_area(c, l));
    draw_bar(memory, c, l);
    BitBlt(dc, 0, 0, width_of(client), height_of(client), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void paint(HWND hwnd, MovieController* c) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    draw(hwnd, c, dc);
    EndPaint(hwnd, &ps);
}

// Clicks belong to the pane: they go on to it in its coordinates.
LRESULT forward_mouse(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    HWND pane = GetParent(hwnd);
    MapWindowPoints(hwnd, pane, &at, 1);
    return SendMessageA(pane, message, wparam, MAKELPARAM(at.x, at.y));
}

LRESULT CALLBACK controller_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* c = reinterpret_cast<MovieController*>(GetWindowLongPtrA(hwnd, 0));
    switch (message) {
        case WM_PAINT:
            if (!c) break;
            paint(hwnd, c);
            return 0;
        case WM_PRINTCLIENT:
            if (c) draw(hwnd, c, reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE: return forward_mouse(hwnd, message, wparam, lparam);
        default: break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool window_class_ready() {
    static bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = controller_procedure;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = process_instance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

bool anything_moves() {
    for (const MovieController* c = g_controllers; c; c = c->next)
        if (c->dragging || media_playing(media_of(c))) return true;
    return false;
}

void serve_controllers(PeriodicTask* task) {
    for (MovieController* c = g_controllers; c; c = c->next) controller_idle(c);
    // A main loop with periodic tasks polls: the task goes once all is still.
    if (!anything_moves()) periodic_task_remove(task);
}

void keep_serving() {
    g_idle_task.action = serve_controllers;
    g_idle_task.last_run = runtime_ticks_now();
    periodic_task_add(&g_idle_task);
}

void unlink(MovieController* controller) {
    for (MovieController** link = &g_controllers; *link; link = &(*link)->next) {
        if (*link == controller) {
            *link = controller->next;
            break;
        }
    }
    if (!g_controllers) periodic_task_remove(&g_idle_task);
}

RuntimeObject* player_object(MovieController* c) { return &c->player->control.header; }

void toggle_playing(MovieController* c) {
    if (media_playing(media_of(c))) RuntimeMediaStop(player_object(c));
    else RuntimeMediaPlay(player_object(c));
}

// Stepping pauses where it lands, as a step does in a movie.
void step(MovieController* c, std::int32_t by) {
    const MediaHandle media = media_of(c);
    std::int32_t to = media_position_ms(media) + by;
    if (to > c->length_ms) to = c->length_ms;
    media_stop(media);
    media_seek(media, to);
    controller_idle(c);
}

}  // namespace

MovieController* controller_attach(MoviePlayerObject* player, HWND pane) {
    if (!window_class_ready()) return nullptr;
    auto* c = static_cast<MovieController*>(runtime_alloc(sizeof(MovieController)));
    *c = {};
    c->player = player;
    c->bar_shown = player->controller != 0 && player->controller != 1;
    c->length_ms = media_length_ms(media_of(c));
    GetClientRect(pane, &c->bounds);
    c->window = CreateWindowExA(WS_EX_TRANSPARENT, kWindowClass, "", WS_CHILD | (c->bar_shown ? WS_VISIBLE : 0),
                                0, 0, width_of(c->bounds), height_of(c->bounds), pane, nullptr, process_instance(),
                                nullptr);
    if (!c->window) {
        runtime_free(c, sizeof(MovieController));
        return nullptr;
    }
    SetWindowLongPtrA(c->window, 0, reinterpret_cast<LONG_PTR>(c));
    c->next = g_controllers;
    g_controllers = c;
    return c;
}

void controller_detach(MovieController* c) {
    if (!c) return;
    unlink(c);
    if (IsWindow(c->window)) {
        SetWindowLongPtrA(c->window, 0, 0);
        DestroyWindow(c->window);
    }
    runtime_free(c, sizeof(MovieController));
}

HWND controller_window(const MovieController* c) { return c->window; }
RECT controller_bounds(const MovieController* c) { return c->bounds; }

void controller_set_bounds(MovieController* c, const RECT& bounds) {
    c->bounds = bounds;
    MoveWindow(c->window, bounds.left, bounds.top, width_of(bounds), height_of(bounds), TRUE);
}

SIZE controller_natural_size(const MovieController* c) {
    const MovieObject* movie = movie_of(c->player->movie);
    SIZE size = {movie ? movie->width : 0, movie ? movie->height : 0};
    if (c->bar_shown) size.cy += kControllerBarHeight;
    return size;
}

void controller_draw_pane(const MovieController* c, HDC dc, const RECT& pane) {
    if (c->bar_shown) return;
    draw_movie_area(dc, c, pane);
    if (c->player->controller != 1) return;
    RECT badge = badge_of(pane);
    fill(dc, badge, COLOR_BTNFACE);
    DrawEdge(dc, &badge, EDGE_RAISED, BF_RECT);
    draw_play(dc, badge, false, GetSysColor(COLOR_BTNTEXT));
}

void controller_click(MovieController* c, int x, int y) {
    x -= c->bounds.left;
    y -= c->bounds.top;
    switch (part_at(c, x, y)) {
        case Part::badge:
            c->bar_shown = true;
            ShowWindow(c->window, SW_SHOWNA);
            controller_redraw(c);
            break;
        case Part::movie:
        case Part::play: toggle_playing(c); break;
        case Part::speaker:
            c->muted = !c->muted;
            media_set_muted(media_of(c), c->muted);
            controller_redraw(c);
            break;
        case Part::step_back: step(c, -kStepMs); break;
        case Part::step_forward: step(c, kStepMs); break;
        case Part::slider:
            c->dragging = true;
            c->drag_ms = position_at(c, layout_of(c).slider, x);
            keep_serving();
            controller_redraw(c);
            break;
        case Part::none: break;
    }
}

void controller_drag(MovieController* c, int x, int) {
    if (!c->dragging) return;
    c->drag_ms = position_at(c, layout_of(c).slider, x - c->bounds.left);
    controller_redraw(c);
}

// The movie moves once, where the thumb was let go, and plays on if it
// was playing.
void controller_release(MovieController* c) {
    if (!c->dragging) return;
    c->dragging = false;
    media_seek(media_of(c), c->drag_ms);
    controller_redraw(c);
}

void controller_idle(MovieController* c) {
    keep_serving();
    const BarLayout l = layout_of(c);
    if (!c->bar_shown) return;
    const bool playing = media_playing(media_of(c));
    const int thumb = width_of(l.slider) > 0 ? thumb_left(c, l.slider) : 0;
    if (playing != c->drawn_playing || thumb != c->drawn_thumb) controller_redraw(c);
}

void controller_redraw(MovieController* c) { InvalidateRect(c->window, nullptr, FALSE); }
