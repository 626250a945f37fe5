// MoviePlayer: a control that plays its Movie. Until its pane exists it
// has no controller bar; play and stop act on the stored movie.
#pragma once

#include <cstdint>

#include "controls/control_object.h"

struct MoviePlayerObject {
    ControlObject control;
    std::int32_t controller;  // 0 no bar, 1 badge only, other: the full bar
    std::uint8_t looping, palindrome, auto_resize, border;
    std::uint8_t speaker, has_step, unused[2];
    RuntimeObject* movie;  // one reference
    std::uint32_t controller_window;  // the bar's window; 0 without one
};
static_assert(sizeof(MoviePlayerObject) == 108, "the size of the built-in class");

// The class's property table, constructor and destructor; the action parts.
void movie_player_describe();
