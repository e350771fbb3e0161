#pragma once
// The game in real windows on the desktop, on the real clock: the one event loop of the game.
#include "sdl/windowed_options.hpp"

namespace reddoor {

// Plays until the player ends the game: a window closed, or the program asked to end
// (SIGTERM, SIGINT). Returns the exit status.
int RunWindowed(const WindowedOptions& options);

}  // namespace reddoor
