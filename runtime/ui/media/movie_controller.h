// The controller of a MoviePlayer: our own bar (speaker, play, the movie's
// place, the step buttons) in a child window of the player's pane, above
// it the movie area. The window takes no clicks itself: they reach the
// pane, which hands them here. Points are in the pane's coordinates.
#pragma once

#include <windows.h>

#include <cstdint>

struct MoviePlayerObject;
struct MovieController;

// The bar's height; shorter players get a bar of their own height.
constexpr int kControllerBarHeight = 16;

// A controller for the player's open movie in the pane window `pane`,
// styled by the player's Controller, Border, Speaker and HasStep; it
// takes the pane's size. Null when its window cannot be made.
MovieController* controller_attach(MoviePlayerObject* player, HWND pane);
void controller_detach(MovieController* controller);

HWND controller_window(const MovieController* controller);
RECT controller_bounds(const MovieController* controller);
void controller_set_bounds(MovieController* controller, const RECT& bounds);
// The movie's natural size with the bar, when it is shown.
SIZE controller_natural_size(const MovieController* controller);

// What the pane shows under a bar that is not shown: the movie area and
// the badge of controller style 1.
void controller_draw_pane(const MovieController* controller, HDC dc, const RECT& pane);

// A click, a drag with the button held, the release. The click is always
// the controller's.
void controller_click(MovieController* controller, int x, int y);
void controller_drag(MovieController* controller, int x, int y);
void controller_release(MovieController* controller);

// The periodic work: the bar follows the movie's place. Play and stop
// call it once; from then on it comes while anything plays.
void controller_idle(MovieController* controller);
void controller_redraw(MovieController* controller);
