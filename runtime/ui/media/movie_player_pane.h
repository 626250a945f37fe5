// The MoviePlayer's pane: a "TV_Pane" window holding the controller of the
// player's movie. The controller keeps the pane's size (or gives the pane
// the movie's, with AutoResize) and lies far outside it while the player
// is hidden.
#pragma once

#include <windows.h>

#include "objects/objects.h"

struct MoviePlayerObject;
struct MovieController;

// Where a hidden player's controller lies.
constexpr RECT kHiddenControllerBounds = {32000, 32000, 32100, 32100};

// The class's CreatePane: the pane, and a controller when a movie is open.
void movie_player_create_pane(RuntimeObject* player);
// A controller for the player's movie, opening it, once the player has a
// pane; nothing when it has one already, or without a movie that opens.
void movie_player_attach(MoviePlayerObject* player);
// The controller goes and the movie closes its device and file.
void movie_player_detach(MoviePlayerObject* player);
// Null without a pane or a controller.
MovieController* movie_player_controller(const MoviePlayerObject* player);
