#pragma once
// The two ways the game moves between windows.
#include "game/window.hpp"

namespace reddoor {

// Unload the window, then show it again: its controls go back to the layout and its load
// handler runs (a level starts a new game).
void ShowFresh(Window& window);

// Hide the window left, unload it, then show the window to go to.
void SwitchWindow(Window& from, Window& to);

}  // namespace reddoor
